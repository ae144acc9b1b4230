#include "TagsFromNamesDialog.h"

#include "BatchRun.h"
#include "DialogParts.h"
#include "ListFiles.h"
#include "TForm2.h"
#include "tagjobs/RunKinds.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace organizer {
namespace {

constexpr int kPreviewDelayMs = 200;
constexpr int kResultColumn = 1 + naming::kTagFieldCount;
const QColor kProblem(192, 0, 0);
const QColor kKept(128, 128, 128);

} // namespace

TagsFromNamesDialog::TagsFromNamesDialog(TForm2& form, std::vector<batch::MoveSource> files)
    : RunDialog(form), files_(std::move(files)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("TagsFromNamesDialog"));
    setWindowTitle(QStringLiteral("Tags from File Names :: Kivuna"));
    BuildLayout();
    previewTimer_.setSingleShot(true);
    previewTimer_.setInterval(kPreviewDelayMs);
    connect(&previewTimer_, &QTimer::timeout, this, &TagsFromNamesDialog::Preview);
    form_.SetDialogOpen(this);
    ShowUndoTarget({tagjobs::kTagsFromNamesCommand});
    Preview();
}

TagsFromNamesDialog::~TagsFromNamesDialog() {
    form_.SetDialogOpen(nullptr);
}

void TagsFromNamesDialog::BuildLayout() {
    resize(980, 520);
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);
    patternEdit_ = new QLineEdit(naming::kReadNamePattern, this);
    patternEdit_->setObjectName(QStringLiteral("Pattern"));
    fields->addRow(QStringLiteral("Pattern:"), patternEdit_);
    auto* help = new QLabel(this);
    help->setObjectName(QStringLiteral("PatternHelp"));
    help->setText(QStringLiteral("Fields: %artist% %album% %title% %track% %year% %genre% "
                                 "%comment%; / reads folders too.\nFields the pattern does not "
                                 "name keep their texts."));
    fields->addRow(QString(), help);
    auto* versions = new QHBoxLayout;
    v1_ = new QCheckBox(QStringLiteral("ID3v&1"), this);
    v1_->setObjectName(QStringLiteral("WriteV1"));
    v2_ = new QCheckBox(QStringLiteral("ID3v&2"), this);
    v2_->setObjectName(QStringLiteral("WriteV2"));
    for (QCheckBox* box : {v1_, v2_}) {
        box->setChecked(true);
        versions->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] {
            run_->setEnabled(!busy_ && (v1_->isChecked() || v2_->isChecked()) && pattern_);
        });
    }
    versions->addStretch();
    fields->addRow(QStringLiteral("Write to:"), versions);
    connect(patternEdit_, &QLineEdit::textChanged, this, [this] {
        run_->setEnabled(false);
        previewTimer_.start();
    });

    problem_ = NewNote(this, "Problem", true);
    layout->addWidget(problem_);
    preview_ = NewPreview(
        this, {QStringLiteral("File"), QStringLiteral("Title"), QStringLiteral("Artist"),
               QStringLiteral("Album"), QStringLiteral("Year"), QStringLiteral("Genre"),
               QStringLiteral("Track"), QStringLiteral("Comment"), QStringLiteral("Result")});
    preview_->header()->resizeSection(0, 240);
    for (int c = 1; c < kResultColumn; ++c)
        preview_->header()->resizeSection(c, c == 4 || c == 6 ? 50 : 90);
    // The result is read whole; the rest may give way.
    preview_->setTextElideMode(Qt::ElideRight);
    layout->addWidget(preview_, 1);
    summary_ = NewNote(this, "Summary");
    layout->addWidget(summary_);
    undoNote_ = NewNote(this, "UndoNote");
    layout->addWidget(undoNote_);
    auto* buttons = new QHBoxLayout;
    undo_ = NewButton(this, "Undo", QStringLiteral("&Undo"));
    run_ = NewButton(this, "Run", QStringLiteral("&Write tags"));
    close_ = NewButton(this, "Close", QStringLiteral("Close"));
    buttons->addWidget(undo_);
    buttons->addStretch();
    buttons->addWidget(run_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    connect(undo_, &QPushButton::clicked, this, &TagsFromNamesDialog::Undo);
    connect(run_, &QPushButton::clicked, this, &TagsFromNamesDialog::Run);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
}

void TagsFromNamesDialog::Preview() {
    previewTimer_.stop();
    QString why;
    pattern_ = naming::NamePattern::Parse(patternEdit_->text(), &why);
    if (pattern_ && pattern_->Names(naming::Field::FileName)) {
        why = QStringLiteral("%filename% names no tag field");
        pattern_.reset();
    }
    readings_ =
        pattern_ ? tagjobs::ReadNames(files_, *pattern_) : std::vector<tagjobs::NameReading>();
    SetNote(problem_, why);

    QList<QTreeWidgetItem*> rows;
    int fitting = 0;
    for (const tagjobs::NameReading& reading : readings_) {
        QStringList texts{QFileInfo(reading.path).fileName()};
        for (int k = 0; k < naming::kTagFieldCount; ++k) {
            const bool named = pattern_->Names(naming::Field(k));
            texts << (reading.fields && named ? (*reading.fields)[size_t(k)]
                                              : QStringLiteral("(kept)"));
        }
        texts << (reading.fields ? QStringLiteral("will write")
                                 : QStringLiteral("does not fit the pattern"));
        auto* row = new QTreeWidgetItem(texts);
        row->setToolTip(0, QDir::toNativeSeparators(reading.path));
        for (int k = 0; k < naming::kTagFieldCount; ++k) {
            if (!reading.fields || !pattern_->Names(naming::Field(k)))
                row->setForeground(k + 1, kKept);
        }
        if (!reading.fields)
            row->setForeground(kResultColumn, kProblem);
        fitting += reading.fields ? 1 : 0;
        rows.append(row);
    }
    preview_->setUpdatesEnabled(false);
    preview_->clear();
    preview_->addTopLevelItems(rows);
    preview_->setUpdatesEnabled(true);
    SetNote(summary_, QStringLiteral("%1 file(s): %2 fit the pattern, %3 do not.")
                          .arg(readings_.size())
                          .arg(fitting)
                          .arg(qsizetype(readings_.size()) - fitting));
    run_->setEnabled(!busy_ && fitting > 0 && (v1_->isChecked() || v2_->isChecked()) &&
                     !(undoTarget_ && undoTarget_->unfinished));
}

void TagsFromNamesDialog::Run() {
    if (busy_)
        return;
    if (previewTimer_.isActive())
        Preview();
    if (!pattern_)
        return;
    SetBusy(true);
    std::vector<QString> paths;
    for (const tagjobs::NameReading& reading : readings_)
        paths.push_back(reading.path);
    tagjobs::TagsRunResult result;
    {
        BatchRun run(form_);
        result = tagjobs::RunTagChanges(
            *ListFilesId3(), tagjobs::FileSet::Listed(paths), run, tagjobs::kTagsFromNamesCommand,
            tagjobs::FromNamesPlanner(*pattern_,
                                      tagjobs::TagsOf(v1_->isChecked(), v2_->isChecked())));
    }
    SetBusy(false);
    form_.FilesTagsChanged(result.touched);
    for (int i = 0; i < preview_->topLevelItemCount(); ++i) {
        const QString& text = result.results[size_t(i)];
        QTreeWidgetItem* row = preview_->topLevelItem(i);
        row->setText(kResultColumn, text.isEmpty() ? QStringLiteral("not taken") : text);
        const bool fine = text == QLatin1String("written") || text == QLatin1String("unchanged");
        row->setForeground(kResultColumn, fine ? QColor() : kProblem);
    }
    ShowRunEnd(
        summary_,
        QStringLiteral("Written: %1 file(s); failed: %2.").arg(result.written).arg(result.failed),
        result.count.stopped, result.journalError);
    run_->setEnabled(false);
    ShowUndoTarget({tagjobs::kTagsFromNamesCommand});
}

void TagsFromNamesDialog::Undo() {
    if (busy_ || !undoTarget_ || !form_.ConfirmUndo(*undoTarget_))
        return;
    SetBusy(true);
    const tagjobs::UndoResult result = form_.UndoInWindow(*undoTarget_);
    SetBusy(false);
    ShowUndoTarget({tagjobs::kTagsFromNamesCommand});
    Preview();
    ShowUndoEnd(summary_, result);
}

void TagsFromNamesDialog::SetBusy(bool busy) {
    busy_ = busy;
    for (QWidget* control :
         {static_cast<QWidget*>(patternEdit_), static_cast<QWidget*>(v1_),
          static_cast<QWidget*>(v2_), static_cast<QWidget*>(undo_), static_cast<QWidget*>(run_)})
        control->setEnabled(!busy);
}

} // namespace organizer
