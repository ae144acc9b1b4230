#include "MoveDialog.h"

#include "BatchRun.h"
#include "DialogParts.h"
#include "ListFiles.h"
#include "TForm2.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "tagjobs/MoveRun.h"
#include "tagjobs/RunKinds.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace organizer {
namespace {

// The preview follows the typing after this pause, not after every key.
constexpr int kPreviewDelayMs = 200;

const QColor kConflict(192, 0, 0);
const QColor kIncomplete(176, 96, 0);
const QColor kUnchanged(128, 128, 128);

QColor StateColor(batch::MoveState state) {
    switch (state) {
    case batch::MoveState::Conflict:
        return kConflict;
    case batch::MoveState::Incomplete:
        return kIncomplete;
    case batch::MoveState::Unchanged:
        return kUnchanged;
    default:
        return {};
    }
}

} // namespace

MoveDialog::MoveDialog(TForm2& form, Kind kind, std::vector<batch::MoveSource> sources,
                       const QString& destination)
    : RunDialog(form), kind_(kind), sources_(std::move(sources)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(kind == Kind::Organize ? QStringLiteral("OrganizeDialog")
                                         : QStringLiteral("RenameDialog"));
    setWindowTitle(kind == Kind::Organize ? QStringLiteral("Organize Files :: Kivuna")
                                          : QStringLiteral("Rename Files :: Kivuna"));
    BuildLayout(destination);
    previewTimer_.setSingleShot(true);
    previewTimer_.setInterval(kPreviewDelayMs);
    connect(&previewTimer_, &QTimer::timeout, this, &MoveDialog::Preview);
    form_.SetDialogOpen(this);
    ShowUndoTarget({Command()});
    Preview();
}

MoveDialog::~MoveDialog() {
    form_.SetDialogOpen(nullptr);
}

QString MoveDialog::Command() const {
    return kind_ == Kind::Organize ? tagjobs::kOrganizeCommand : tagjobs::kRenameCommand;
}

void MoveDialog::BuildLayout(const QString& destination) {
    resize(900, 560);
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);
    if (kind_ == Kind::Organize) {
        auto* row = new QHBoxLayout;
        destination_ = new QLineEdit(QDir::toNativeSeparators(destination), this);
        destination_->setObjectName(QStringLiteral("Destination"));
        row->addWidget(destination_);
        browse_ = NewButton(this, "Browse", QStringLiteral("Browse..."));
        row->addWidget(browse_);
        fields->addRow(QStringLiteral("Destination folder:"), row);
        connect(destination_, &QLineEdit::textChanged, this, &MoveDialog::SchedulePreview);
        connect(browse_, &QPushButton::clicked, this, &MoveDialog::ChooseDestination);
    }
    pattern_ = new QLineEdit(
        kind_ == Kind::Organize ? naming::kOrganizePattern : naming::kRenamePattern, this);
    pattern_->setObjectName(QStringLiteral("Pattern"));
    fields->addRow(QStringLiteral("Pattern:"), pattern_);
    auto* help = new QLabel(this);
    help->setObjectName(QStringLiteral("PatternHelp"));
    help->setText(
        QStringLiteral("Fields: %artist% %album% %title% %track% (%track:2% gives 07) "
                       "%year% %genre% %comment% %filename%") +
        (kind_ == Kind::Organize ? QStringLiteral("; / makes a folder.") : QStringLiteral(".")));
    fields->addRow(QString(), help);

    auto* options = new QHBoxLayout;
    if (kind_ == Kind::Organize) {
        move_ = new QRadioButton(QStringLiteral("&Move"), this);
        move_->setObjectName(QStringLiteral("Move"));
        move_->setChecked(true);
        copy_ = new QRadioButton(QStringLiteral("&Copy"), this);
        copy_->setObjectName(QStringLiteral("Copy"));
        options->addWidget(move_);
        options->addWidget(copy_);
        options->addSpacing(24);
    }
    portable_ = new QCheckBox(
        QStringLiteral("Names that phones, USB drives and Windows shares take"), this);
    portable_->setObjectName(QStringLiteral("PortableNames"));
    portable_->setChecked(true);
    options->addWidget(portable_);
    options->addStretch();
    fields->addRow(QString(), options);
    connect(pattern_, &QLineEdit::textChanged, this, &MoveDialog::SchedulePreview);
    connect(portable_, &QCheckBox::toggled, this, &MoveDialog::SchedulePreview);

    problem_ = NewNote(this, "Problem", true);
    layout->addWidget(problem_);
    preview_ = NewPreview(
        this, {QStringLiteral("Old path"), QStringLiteral("New path"), QStringLiteral("State")});
    preview_->header()->resizeSection(0, 340);
    preview_->header()->resizeSection(1, 340);
    layout->addWidget(preview_, 1);
    summary_ = NewNote(this, "Summary");
    layout->addWidget(summary_);
    undoNote_ = NewNote(this, "UndoNote");
    layout->addWidget(undoNote_);

    auto* buttons = new QHBoxLayout;
    undo_ = NewButton(this, "Undo",
                      kind_ == Kind::Organize ? QStringLiteral("&Undo last organize")
                                              : QStringLiteral("&Undo last rename"));
    run_ = NewButton(this, "Run",
                     kind_ == Kind::Organize ? QStringLiteral("&Organize")
                                             : QStringLiteral("&Rename"));
    close_ = NewButton(this, "Close", QStringLiteral("Close"));
    buttons->addWidget(undo_);
    buttons->addStretch();
    buttons->addWidget(run_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    connect(undo_, &QPushButton::clicked, this, &MoveDialog::Undo);
    connect(run_, &QPushButton::clicked, this, &MoveDialog::Run);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
}

void MoveDialog::SchedulePreview() {
    run_->setEnabled(false);
    previewTimer_.start();
}

void MoveDialog::ChooseDestination() {
    if (busy_)
        return;
    const QString chosen = platform::GetExistingDirectory(
        this, {QStringLiteral("Destination folder:"), QString(), destination_->text()});
    if (!chosen.isEmpty())
        destination_->setText(QDir::toNativeSeparators(chosen));
}

void MoveDialog::Preview() {
    previewTimer_.stop();
    plan_.clear();
    QString why;
    const auto pattern = naming::NamePattern::Parse(pattern_->text(), &why);
    QString destination;
    if (pattern && kind_ == Kind::Rename && pattern->MakesFolders())
        why = QStringLiteral("A rename keeps every file in its folder: the pattern cannot hold /");
    if (pattern && kind_ == Kind::Organize) {
        destination = QDir::fromNativeSeparators(destination_->text().trimmed());
        // A folder that does not exist yet is made by the run (and taken away by its undo).
        const QFileInfo folder(destination);
        if (!QDir::isAbsolutePath(destination) || (folder.exists() && !folder.isDir()))
            why = QStringLiteral("Choose a destination folder");
    }
    if (pattern && why.isEmpty()) {
        if (pattern->Names(naming::Field::Comment))
            ReadComments();
        planDestination_ = destination.isEmpty() ? QString() : QDir::cleanPath(destination);
        plan_ = batch::PlanMoves(sources_, *pattern, planDestination_,
                                 portable_->isChecked() ? naming::NameRules::Portable
                                                        : naming::NameRules::Posix);
    }
    SetNote(problem_, why);
    ShowPlan();
}

void MoveDialog::ReadComments() {
    if (commentsRead_)
        return;
    // The list shows no comment: it is read from the chosen tag once, when a pattern asks for it.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    tagaccess::ID3& id3 = *ListFilesId3();
    for (batch::MoveSource& source : sources_) {
        const tagaccess::TagFields fields =
            form_.UseId3v1 ? id3.ReadId3v1(source.path, false) : id3.ReadId3v2(source.path, false);
        if (fields.size() > size_t(tagaccess::kComment))
            At(source.fields, naming::Field::Comment) = fields[size_t(tagaccess::kComment)];
    }
    QApplication::restoreOverrideCursor();
    commentsRead_ = true;
}

void MoveDialog::ShowPlan() {
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(plan_.size()));
    int counts[4] = {};
    for (const batch::PlannedMove& move : plan_) {
        auto* row = new QTreeWidgetItem(QStringList{QDir::toNativeSeparators(move.from),
                                                    QDir::toNativeSeparators(move.to),
                                                    batch::StateText(move.state)});
        if (const QColor color = StateColor(move.state); color.isValid()) {
            for (int c = 0; c < 3; ++c)
                row->setForeground(c, color);
        }
        ++counts[int(move.state)];
        rows.append(row);
    }
    preview_->setUpdatesEnabled(false);
    preview_->clear();
    preview_->addTopLevelItems(rows);
    preview_->setUpdatesEnabled(true);
    SetNote(summary_, QStringLiteral("%1 file(s): %2 will move, %3 unchanged, %4 conflict(s), "
                                     "%5 incomplete.")
                          .arg(plan_.size())
                          .arg(counts[int(batch::MoveState::WillMove)])
                          .arg(counts[int(batch::MoveState::Unchanged)])
                          .arg(counts[int(batch::MoveState::Conflict)])
                          .arg(counts[int(batch::MoveState::Incomplete)]));
    const bool anything = std::any_of(plan_.begin(), plan_.end(),
                                      [](const auto& move) { return batch::Moves(move.state); });
    run_->setEnabled(anything && !busy_ && !(undoTarget_ && undoTarget_->unfinished));
}

void MoveDialog::Run() {
    if (busy_)
        return;
    if (previewTimer_.isActive())
        Preview();
    const batch::MoveMode mode =
        copy_ && copy_->isChecked() ? batch::MoveMode::Copy : batch::MoveMode::Move;
    SetBusy(true);
    tagjobs::MoveRunResult result;
    {
        BatchRun run(form_);
        result = tagjobs::RunMoves(plan_, mode, Command(), planDestination_, run);
    }
    SetBusy(false);
    if (mode == batch::MoveMode::Move)
        form_.FilesMoved(result.moves);
    for (size_t i = 0; i < plan_.size(); ++i) {
        QTreeWidgetItem* row = preview_->topLevelItem(int(i));
        const QString& text = result.results[i];
        row->setText(2, text.isEmpty() ? QStringLiteral("not taken") : text);
        const bool done = text == QLatin1String("moved") || text == QLatin1String("copied") ||
                          text == QLatin1String("unchanged");
        for (int c = 0; c < 3; ++c)
            row->setForeground(c, done ? QBrush() : QBrush(kConflict));
    }
    // The files are where the run put them: the next preview starts from there.
    if (mode == batch::MoveMode::Move) {
        QHash<QString, QString> moved;
        for (const auto& [from, to] : result.moves)
            moved.insert(from, to);
        for (batch::MoveSource& source : sources_)
            source.path = moved.value(source.path, source.path);
    }
    const QString text = (mode == batch::MoveMode::Move ? QStringLiteral("Moved %1 file(s)")
                                                        : QStringLiteral("Copied %1 file(s)"))
                             .arg(result.moved) +
                         QStringLiteral("; %1 conflict(s) skipped; %2 failed.")
                             .arg(result.skipped)
                             .arg(result.failed);
    ShowRunEnd(summary_, text, result.stopped, result.journalError);
    run_->setEnabled(false);
    ShowUndoTarget({Command()});
}

void MoveDialog::Undo() {
    if (busy_ || !undoTarget_ || !form_.ConfirmUndo(*undoTarget_))
        return;
    SetBusy(true);
    const tagjobs::UndoResult result = form_.UndoInWindow(*undoTarget_);
    SetBusy(false);
    // The files are back where they were: the preview starts from there.
    QHash<QString, QString> back;
    for (const auto& [from, to] : result.moves)
        back.insert(from, to);
    for (batch::MoveSource& source : sources_)
        source.path = back.value(source.path, source.path);
    ShowUndoTarget({Command()});
    Preview();
    ShowUndoEnd(summary_, result);
}

void MoveDialog::SetBusy(bool busy) {
    busy_ = busy;
    for (QWidget* control : {static_cast<QWidget*>(pattern_), static_cast<QWidget*>(portable_),
                             static_cast<QWidget*>(undo_), static_cast<QWidget*>(run_)})
        control->setEnabled(!busy);
    // Nothing that would change the run in hand: its destination, pattern and mode stay.
    for (QWidget* control : {static_cast<QWidget*>(destination_), static_cast<QWidget*>(browse_),
                             static_cast<QWidget*>(move_), static_cast<QWidget*>(copy_)}) {
        if (control)
            control->setEnabled(!busy);
    }
}

} // namespace organizer
