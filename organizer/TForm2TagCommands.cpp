// The list menu's tag commands: a multiple edit, opening one file in the editor, clearing and
// removing tags, transliteration, and undoing the last of them.
#include "BatchRun.h"
#include "ListFiles.h"
#include "MultipleEditFields.h"
#include "RepairPreview.h"
#include "TForm2.h"
#include "TForm2Handlers.h"
#include "TagCommandDialog.h"
#include "TranslitPreview.h"
#include "platform/MessageBox.h"
#include "platform/RuntimeText.h"
#include "tagjobs/EncodingRepair.h"
#include "tagjobs/RunKinds.h"
#include "ui_TForm2.h"

#include <QLocale>
#include <QMenu>
#include <set>
#include <utility>

namespace organizer {
namespace {

// A failure report lists this many files by name, then counts the rest.
constexpr size_t kListedFailures = 20;

QString Files(size_t count) {
    return platform::IntToStr(int(count)) + QStringLiteral(" file(s)");
}

} // namespace

void TForm2::AddTagCommands() {
    const auto connectItem = [this](const char* name, void (TForm2::*handler)()) {
        Handle(PopupMenu1->findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered,
               this, handler);
    };
    connectItem("Multiple1", &TForm2::Multiple1Click);
    connectItem("Single1", &TForm2::Single1Click);
    connectItem("LeaveID3tags1", &TForm2::LeaveID3tags1Click);
    connectItem("KillID3tags1", &TForm2::KillID3tags1Click);
    connectItem("RusEng1", &TForm2::RusEng1Click);
    connectItem("EngRus1", &TForm2::EngRus1Click);
    // Beside the other command that rewrites texts, before the naming commands.
    auto* repair = new QAction(QStringLiteral("Re&pair text encodings..."), PopupMenu1);
    repair->setObjectName(QStringLiteral("Repairencodings1"));
    PopupMenu1->insertAction(PopupMenu1->findChild<QAction*>(QStringLiteral("N2")), repair);
    Handle(repair, &QAction::triggered, this, &TForm2::Repairencodings1Click);
    Undolastchange1 = PopupMenu1->addAction(QStringLiteral("Undo last c&hange"));
    Undolastchange1->setObjectName(QStringLiteral("Undolastchange1"));
    Handle(Undolastchange1, &QAction::triggered, this, &TForm2::Undolastchange1Click);
    // The journals live on disk and another instance may add one: asked each time the menu opens.
    connect(PopupMenu1, &QMenu::aboutToShow, this,
            [this] { platform::Guard([this] { UpdateUndoCommand(); }); });
}

TForm2::CommandFiles TForm2::ChosenFiles() const {
    CommandFiles files;
    const std::vector<bool> selected = SelectedRowMarks();
    files.all = std::find(selected.begin(), selected.end(), true) == selected.end();
    for (int r = 0; r < std::min(RowCount(), MaxFoundFiles); ++r) {
        if (files.all || selected[size_t(r)]) {
            files.paths.push_back(FoundPaths[size_t(r)]);
            files.rows.push_back(r);
        }
    }
    if (files.paths.empty())
        platform::ShowMessage(QStringLiteral("The list holds no files: find some first."));
    return files;
}

QString TForm2::FilesMessage(const CommandFiles& files, const QString& action) const {
    QString message = action.arg(Files(files.paths.size()));
    if (files.all)
        message = QStringLiteral("No files are selected: the command works on all %1 of the "
                                 "list.\n\n")
                      .arg(Files(files.paths.size())) +
                  message;
    return message;
}

ChosenTags TForm2::ShownVersions() const {
    return UseId3v1 ? ChosenTags::Id3v1 : ChosenTags::Id3v2;
}

void TForm2::Multiple1Click() {
    if (WorkInProgress())
        return;
    const CommandFiles files = ChosenFiles();
    if (files.paths.empty())
        return;
    TagCommandDialog dialog(
        this, QStringLiteral("Edit tags"),
        FilesMessage(files, QStringLiteral("Write the checked fields into %1; every other "
                                           "field keeps its text. An empty checked field is "
                                           "cleared; auto-number counts in the list's order.")),
        ShownVersions(), QStringLiteral("Write"));
    auto* fields = new MultipleEditFields;
    fields->SetFileCount(int(files.paths.size()));
    dialog.SetBody(fields);
    dialog.SetAcceptable(false);
    connect(fields, &MultipleEditFields::Changed, &dialog,
            [&dialog, fields] { dialog.SetAcceptable(fields->Acceptable()); });
    if (dialog.exec() != QDialog::Accepted)
        return;
    const tagjobs::FieldEdit edit = fields->Edit();
    RunJournaled(files, tagjobs::kEditCommand,
                 tagjobs::ChangePlanner(dialog.Versions(), [edit](const tagaccess::TagFields& old,
                                                                  int version, int position) {
                     return tagjobs::ApplyFieldEdit(old, edit, version, position);
                 }));
}

void TForm2::Single1Click() {
    const std::vector<bool> selected = SelectedRowMarks();
    const auto first = std::find(selected.begin(), selected.end(), true);
    if (first == selected.end()) {
        platform::ShowMessage(QStringLiteral("Select the file to open in the editor."));
        return;
    }
    emit EditorRequested(FoundPaths[size_t(first - selected.begin())]);
}

void TForm2::LeaveID3tags1Click() {
    ClearTags(QStringLiteral("Empty the seven fields of the chosen tags in %1? Pictures and other "
                             "frames of an ID3v2 tag stay."),
              QStringLiteral("Clear"), tagjobs::kClearCommand, &tagjobs::ClearPlanner);
}

void TForm2::KillID3tags1Click() {
    ClearTags(QStringLiteral("Remove the chosen tags from %1? The audio is not touched. "
                             "\"Undo last change\" gives the tags back whole, pictures "
                             "included."),
              QStringLiteral("Remove"), tagjobs::kRemoveCommand, &tagjobs::RemovalPlanner);
}

void TForm2::ClearTags(const QString& question, const QString& button, const QString& command,
                       tagjobs::FilePlanner (*planner)(ChosenTags versions)) {
    if (WorkInProgress())
        return;
    const CommandFiles files = ChosenFiles();
    if (files.paths.empty())
        return;
    TagCommandDialog dialog(this, QStringLiteral("Clear all tags"), FilesMessage(files, question),
                            ShownVersions(), button);
    if (dialog.exec() != QDialog::Accepted)
        return;
    RunJournaled(files, command, planner(dialog.Versions()));
}

void TForm2::RusEng1Click() {
    Transliterate(tagjobs::TranslitDirection::RusToEng);
}

void TForm2::EngRus1Click() {
    Transliterate(tagjobs::TranslitDirection::EngToRus);
}

void TForm2::Transliterate(tagjobs::TranslitDirection direction) {
    if (WorkInProgress())
        return;
    const CommandFiles files = ChosenFiles();
    if (files.paths.empty())
        return;
    BatchRun reading(*this);
    tagjobs::RunCount taken;
    const std::vector<PreviewFile> read = tagjobs::ReadTagsOf(
        *ListFilesId3(), tagjobs::FileSet::Listed(files.paths), reading, &taken);
    if (taken.stopped)
        return;
    const tagjobs::FieldsChange change = [direction](const tagaccess::TagFields& old, int, int) {
        return tagjobs::TranslitFields(old, direction);
    };
    const QString caption = direction == tagjobs::TranslitDirection::RusToEng
                                ? QStringLiteral("Translit tag fields: Rus >> Eng")
                                : QStringLiteral("Translit tag fields: Eng >> Rus");
    TagCommandDialog dialog(this, caption, QString(), ShownVersions(), QStringLiteral("Write"));
    auto* preview = new TranslitPreview;
    dialog.SetBody(preview);
    const auto show = [&](ChosenTags versions) {
        const int changing = preview->Show(read, versions, change);
        dialog.SetMessage(FilesMessage(
            files, QStringLiteral("%1 of %2 change as shown below; nothing is written before "
                                  "you accept. ID3v1 stores Cyrillic as Windows-1251 and cuts "
                                  "texts to its field widths.")
                       .arg(platform::IntToStr(changing), QStringLiteral("%1"))));
        dialog.SetAcceptable(changing > 0);
    };
    connect(&dialog, &TagCommandDialog::VersionsChanged, &dialog, show);
    show(dialog.Versions());
    if (dialog.exec() != QDialog::Accepted)
        return;
    RunJournaled(files, tagjobs::kTranslitCommand,
                 tagjobs::ChangePlanner(dialog.Versions(), change));
}

void TForm2::Repairencodings1Click() {
    if (WorkInProgress())
        return;
    const CommandFiles files = ChosenFiles();
    if (files.paths.empty())
        return;
    // Both tags of every file are read once; the dialog's choice of tags only filters them.
    std::vector<RepairFile> read;
    BatchRun reading(*this);
    tagaccess::ID3& id3 = *ListFilesId3();
    const tagjobs::RunCount taken =
        tagjobs::RunEach(tagjobs::FileSet::Listed(files.paths), reading,
                         QStringLiteral("Reading tags..."), [&](const QString& path, int) {
                             tagjobs::FilePlan plan =
                                 tagjobs::PlanRepair(id3, path, ChosenTags::Both);
                             if (!plan.refusal.isEmpty())
                                 return tagjobs::FileOutcome::Failed(plan.refusal);
                             if (!plan.repairs.empty())
                                 read.push_back({path, std::move(plan.repairs)});
                             return tagjobs::FileOutcome::Done();
                         });
    if (taken.stopped)
        return;
    QString unread;
    if (!reading.Failures().empty()) {
        unread = QStringLiteral("\n\n%1 could not be read and are left out:")
                     .arg(Files(reading.Failures().size()));
        for (size_t i = 0; i < std::min(reading.Failures().size(), size_t(3)); ++i)
            unread += QStringLiteral("\n%1: %2")
                          .arg(reading.Failures()[i].first, reading.Failures()[i].second);
        if (reading.Failures().size() > 3)
            unread += QStringLiteral("\n... and %1 more.").arg(reading.Failures().size() - 3);
    }
    const size_t readable = files.paths.size() - reading.Failures().size();
    if (read.empty()) {
        platform::ShowMessage(
            QStringLiteral("No garbled texts were found in %1.").arg(Files(readable)) + unread);
        return;
    }
    TagCommandDialog dialog(this, QStringLiteral("Repair text encodings"), QString(),
                            ChosenTags::Both, QStringLiteral("Repair"));
    auto* preview = new RepairPreview;
    dialog.SetBody(preview);
    int shownFiles = 0;
    const auto showChecked = [&] {
        const size_t checked = preview->CheckedFiles().size();
        const QString action =
            QStringLiteral("%1 of %2 hold texts that read garbled (stored in one code page, read "
                           "in another). The %3 checked get the texts shown below; every other "
                           "field, frame and byte stays. Nothing is written before you accept, "
                           "and \"Undo last change\" takes the repair back.")
                .arg(platform::IntToStr(shownFiles), QStringLiteral("%1"), Files(checked));
        dialog.SetMessage(FilesMessage(files, action) + unread);
        dialog.SetAcceptable(checked > 0);
    };
    connect(preview, &RepairPreview::CheckedChanged, &dialog, showChecked);
    connect(&dialog, &TagCommandDialog::VersionsChanged, &dialog, [&](ChosenTags versions) {
        shownFiles = preview->Show(read, versions);
        showChecked();
    });
    shownFiles = preview->Show(read, dialog.Versions());
    showChecked();
    dialog.resize(dialog.sizeHint().expandedTo(QSize(1000, 520)));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::vector<QString> checked = preview->CheckedFiles();
    // The plan is made again from the tags as they are now: a file changed since it was read
    // is repaired as it now reads, or left alone.
    RunJournaled(RowsOf(checked), tagjobs::kRepairCommand,
                 tagjobs::RepairPlanner(dialog.Versions()));
}

void TForm2::Undolastchange1Click() {
    if (WorkInProgress())
        return;
    const std::optional<tagjobs::UndoTarget> last = UndoableChange();
    if (!last) {
        platform::ShowMessage(QStringLiteral("There is no change to undo."));
        UpdateUndoCommand();
        return;
    }
    TagCommandDialog dialog(
        this, QStringLiteral("Undo last change"),
        QStringLiteral("Restore the tags of %1 as they were before the last "
                       "change (%2, %3%4)?")
            .arg(Files(size_t(tagjobs::FilesToUndo(last->journal))),
                 tagjobs::RunCaption(last->journal.command),
                 QLocale().toString(last->journal.started.toLocalTime(), QLocale::ShortFormat),
                 last->journal.frontEnd.isEmpty()
                     ? QString()
                     : QStringLiteral(", made in the ") + last->journal.frontEnd),
        std::nullopt, QStringLiteral("Restore"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const tagjobs::UndoResult result = UndoInWindow(*last);
    UpdateUndoCommand();
    if (!result.refusal.isEmpty()) {
        platform::ShowMessage(result.refusal);
        return;
    }
    if (!result.markError.isEmpty())
        platform::ShowMessage(result.markError);
    const QString textsOnly = tagjobs::TextsOnlyNote(result).trimmed();
    if (!textsOnly.isEmpty())
        platform::ShowMessage(textsOnly);
    ReportResults(result.failures,
                  size_t(result.restored + result.passedOver + int(result.failures.size())),
                  size_t(tagjobs::FilesToUndo(last->journal)));
}

std::optional<tagjobs::UndoTarget> TForm2::UndoableChange() const {
    std::optional<tagjobs::UndoTarget> newest = tagjobs::FindUndoTarget(tagjobs::TagCommands());
    if (!newest || tagjobs::FilesToUndo(newest->journal) == 0)
        return std::nullopt;
    return newest;
}

void TForm2::UpdateUndoCommand() {
    Undolastchange1->setEnabled(UndoableChange().has_value());
}

TForm2::CommandFiles TForm2::RowsOf(const std::vector<QString>& paths) const {
    CommandFiles files;
    const std::set<QString> wanted(paths.begin(), paths.end());
    for (int r = 0; r < std::min(RowCount(), MaxFoundFiles); ++r) {
        if (wanted.count(FoundPaths[size_t(r)]) != 0) {
            files.paths.push_back(FoundPaths[size_t(r)]);
            files.rows.push_back(r);
        }
    }
    return files;
}

void TForm2::RunJournaled(const CommandFiles& files, const QString& command,
                          const tagjobs::FilePlanner& planner) {
    BatchRun run(*this);
    const tagjobs::TagsRunResult result = tagjobs::RunTagChanges(
        *ListFilesId3(), tagjobs::FileSet::Listed(files.paths), run, command, planner);
    if (result.count.taken == 0 && !result.journalError.isEmpty()) {
        platform::ShowMessage(QStringLiteral("Nothing was changed: the undo journal could not be "
                                             "opened (%1).")
                                  .arg(result.journalError));
        return;
    }
    RedrawRows(files);
    UpdateUndoCommand();
    ReportResults(run.Failures(), size_t(result.count.taken), files.paths.size());
}

void TForm2::ReportResults(const std::vector<std::pair<QString, QString>>& failures, size_t taken,
                           size_t total) {
    QString report;
    if (taken < total)
        report = QStringLiteral("Stopped after %1 of %2; the other files were not touched.")
                     .arg(Files(taken), Files(total));
    if (!failures.empty()) {
        if (!report.isEmpty())
            report += QStringLiteral("\n\n");
        report += QStringLiteral("%1 could not be changed:").arg(Files(failures.size()));
        for (size_t i = 0; i < std::min(failures.size(), kListedFailures); ++i)
            report += QStringLiteral("\n%1: %2").arg(failures[i].first, failures[i].second);
        if (failures.size() > kListedFailures)
            report += QStringLiteral("\n... and %1 more.").arg(failures.size() - kListedFailures);
    }
    if (!report.isEmpty())
        platform::ShowMessage(report);
}

void TForm2::RedrawRows(const CommandFiles& files) {
    if (!ProcessedView())
        return;
    tagaccess::ID3& id3 = *ListFilesId3();
    QTreeWidget* list = ui_->ListView1;
    for (size_t i = 0; i < files.rows.size(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(files.rows[i]);
        if (row == nullptr || row->text(0) != files.paths[i])
            continue;
        const tagaccess::TagFields fields =
            UseId3v1 ? id3.ReadId3v1(files.paths[i], false) : id3.ReadId3v2(files.paths[i], false);
        for (int c = 1; c < 7; ++c)
            row->setText(c, size_t(c - 1) < fields.size() ? fields[size_t(c - 1)] : QString());
    }
}

} // namespace organizer
