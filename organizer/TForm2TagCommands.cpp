// The list menu's tag commands: a multiple edit, opening one file in the editor, clearing and
// removing tags, transliteration, and undoing the last of them.
#include "BatchRun.h"
#include "ListFiles.h"
#include "MultipleEditFields.h"
#include "TForm2.h"
#include "TForm2Handlers.h"
#include "TagCommandDialog.h"
#include "TagsJournalRecord.h"
#include "TranslitPreview.h"
#include "journal/JournalReader.h"
#include "journal/JournalWriter.h"
#include "platform/MessageBox.h"
#include "platform/RuntimeText.h"
#include "ui_TForm2.h"

#include <QJsonObject>
#include <QLocale>
#include <QMenu>
#include <set>
#include <utility>

namespace organizer {
namespace {

// A failure report lists this many files by name, then counts the rest.
constexpr size_t kListedFailures = 20;
// Files whose old tags go to the undo journal together.
constexpr size_t kJournalBatch = 64;

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
    dialog.SetBody(fields);
    dialog.SetAcceptable(false);
    connect(fields, &MultipleEditFields::Changed, &dialog,
            [&dialog, fields] { dialog.SetAcceptable(fields->Acceptable()); });
    if (dialog.exec() != QDialog::Accepted)
        return;
    const FieldEdit edit = fields->Edit();
    ChangeTags(
        files, dialog.Versions(),
        [edit](const tagaccess::TagFields& old, int, int position) {
            return ApplyFieldEdit(old, edit, position);
        },
        kEditCommand);
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
              QStringLiteral("Clear"), kClearCommand, &PlanClear);
}

void TForm2::KillID3tags1Click() {
    ClearTags(QStringLiteral("Remove the chosen tags from %1? The audio is not touched. "
                             "\"Undo last change\" gives back the seven fields; pictures and "
                             "other frames of a removed ID3v2 tag are gone for good."),
              QStringLiteral("Remove"), kRemoveCommand, &PlanRemoval);
}

void TForm2::ClearTags(const QString& question, const QString& button, const QString& command,
                       TagsPlanner planner) {
    if (WorkInProgress())
        return;
    const CommandFiles files = ChosenFiles();
    if (files.paths.empty())
        return;
    TagCommandDialog dialog(this, QStringLiteral("Clear all tags"), FilesMessage(files, question),
                            ShownVersions(), button);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ChosenTags versions = dialog.Versions();
    RunJournaled(files, command, [&](tagaccess::ID3& id3, size_t i) {
        return planner(id3, files.paths[i], versions);
    });
}

void TForm2::RusEng1Click() {
    Transliterate(TranslitDirection::RusToEng);
}

void TForm2::EngRus1Click() {
    Transliterate(TranslitDirection::EngToRus);
}

void TForm2::Transliterate(TranslitDirection direction) {
    if (WorkInProgress())
        return;
    const CommandFiles files = ChosenFiles();
    if (files.paths.empty())
        return;
    std::vector<PreviewFile> read(files.paths.size());
    size_t taken = 0;
    {
        tagaccess::ID3& id3 = *ListFilesId3();
        RunFileJobs(
            QStringLiteral("Reading tags..."), files.paths,
            [&](size_t i) {
                read[i] = {files.paths[i], ReadBothTags(id3, files.paths[i])};
                return FileResult{};
            },
            taken);
    }
    if (taken < files.paths.size())
        return;
    const FieldsChange change = [direction](const tagaccess::TagFields& old, int, int) {
        return TranslitFields(old, direction);
    };
    const QString caption = direction == TranslitDirection::RusToEng
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
    ChangeTags(files, dialog.Versions(), change, kTranslitCommand);
}

void TForm2::Undolastchange1Click() {
    if (WorkInProgress())
        return;
    const std::optional<journal::JournalInfo> last = UndoableChange();
    if (!last) {
        platform::ShowMessage(QStringLiteral("There is no change to undo."));
        UpdateUndoCommand();
        return;
    }
    const std::vector<KeptTags> kept = FilesToRestore(*last);
    TagCommandDialog dialog(
        this, QStringLiteral("Undo last change"),
        QStringLiteral("Restore the tags of %1 as they were before the last "
                       "change (%2, %3)?")
            .arg(Files(kept.size()), TagCommandCaption(last->command),
                 QLocale().toString(last->started.toLocalTime(), QLocale::ShortFormat)),
        std::nullopt, QStringLiteral("Restore"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    tagaccess::ID3& id3 = *ListFilesId3();
    std::vector<QString> paths;
    for (const KeptTags& file : kept)
        paths.push_back(file.path);
    size_t taken = 0;
    const auto failures = RunFileJobs(
        QStringLiteral("Restoring tags..."), paths,
        [&](size_t i) { return RestoreFileTags(id3, kept[i].path, kept[i].before); }, taken);
    // A stopped or partly failed undo stays on offer: restoring a file twice does no harm.
    if (taken == kept.size() && failures.empty() && !journal::MarkUndone(last->path))
        platform::ShowMessage(QStringLiteral("The tags were restored, but the change could not "
                                             "be marked undone: it stays on offer."));
    RedrawRows(RowsOf(paths));
    UpdateUndoCommand();
    ReportResults(failures, taken, kept.size());
}

std::optional<journal::JournalInfo> TForm2::UndoableChange() const {
    std::optional<journal::JournalInfo> newest = journal::NewestJournal(TagCommandNames());
    if (!newest || newest->undone || FilesToRestore(*newest).empty())
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

void TForm2::ChangeTags(const CommandFiles& files, ChosenTags versions, const FieldsChange& change,
                        const QString& command) {
    RunJournaled(files, command, [&](tagaccess::ID3& id3, size_t i) {
        return PlanChange(id3, files.paths[i], versions, int(i) + 1, change);
    });
}

void TForm2::RunJournaled(const CommandFiles& files, const QString& command,
                          const FilePlanner& planner) {
    journal::JournalWriter writer(command);
    if (!writer.IsOpen()) {
        platform::ShowMessage(QStringLiteral("Nothing was changed: the undo journal could not be "
                                             "opened (%1).")
                                  .arg(writer.ErrorText()));
        return;
    }
    tagaccess::ID3& id3 = *ListFilesId3();
    std::vector<FilePlan> plans(files.paths.size());
    // The files carried out since the last write to the journal.
    std::vector<QJsonObject> carriedOut;
    QString notKept;
    const auto job = [&](size_t i) {
        // The old tags of a batch of files go to the journal ahead of their changes, together
        // with the names of the files the batch before changed: one wait for the disk a batch.
        if (i % kJournalBatch == 0) {
            std::vector<QJsonObject> records = std::exchange(carriedOut, {});
            for (size_t j = i; j < std::min(i + kJournalBatch, plans.size()); ++j) {
                plans[j] = planner(id3, j);
                if (plans[j].TouchesFile())
                    records.push_back(TagsRecord(files.paths[j], plans[j].before));
            }
            notKept = writer.AppendAll(records) ? QString() : writer.ErrorText();
        }
        const FilePlan plan = std::exchange(plans[i], {});
        if (!plan.exists)
            return FileResult{false, false, WriteFailureReason(files.paths[i])};
        if (!plan.TouchesFile())
            return FileResult{};
        if (!notKept.isEmpty())
            return FileResult{
                false, false,
                QStringLiteral("its old tags could not be kept for undo (%1)").arg(notKept)};
        // Marked even when the write fails half-way: an undo then restores what was written.
        carriedOut.push_back(CarriedOutRecord(files.paths[i]));
        return CarryOut(id3, files.paths[i], plan);
    };
    size_t taken = 0;
    const auto failures = RunFileJobs(QStringLiteral("Writing tags..."), files.paths, job, taken);
    writer.AppendAll(carriedOut);
    writer.End();
    RedrawRows(files);
    UpdateUndoCommand();
    ReportResults(failures, taken, files.paths.size());
}

std::vector<std::pair<QString, QString>> TForm2::RunFileJobs(const QString& caption,
                                                             const std::vector<QString>& paths,
                                                             const FileJob& job, size_t& taken) {
    std::vector<std::pair<QString, QString>> failures;
    BatchRun run(*this, caption);
    taken = size_t(run.Run(int(paths.size()), [&](int i) {
        const FileResult result = job(size_t(i));
        if (result.ok)
            return BatchOutcome::Done;
        failures.emplace_back(paths[size_t(i)], result.reason);
        return BatchOutcome::NotDone;
    }));
    return failures;
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
