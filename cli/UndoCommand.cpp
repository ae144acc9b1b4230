// undo: takes back the last organize, rename or from-names run, of this tool or of the window.
#include "Commands.h"
#include "FileBatch.h"
#include "FileCheck.h"
#include "batch/MoveJournal.h"
#include "batch/TagsFromNameFile.h"
#include "batch/UndoTarget.h"
#include "journal/JournalReader.h"

namespace cli {
namespace {

// Moves the files back (or removes the copies), newest first; answers how many were taken back.
int UndoMoves(const std::vector<QJsonObject>& records, BatchReport& report) {
    int restored = 0;
    // The run's folders go once every file has left them.
    QStringList folders;
    for (const QJsonObject& record : records) {
        report.Begin(batch::RecordTo(record));
        bool undone = false;
        const QString error = batch::UndoMoveRecord(record, &undone, &folders);
        if (!error.isEmpty())
            report.Fail(error);
        restored += report.End() && undone ? 1 : 0;
    }
    batch::RemoveFoldersLeftEmpty(folders);
    return restored;
}

// Writes the old tag texts back, newest first; answers how many files were restored.
int UndoTags(const std::vector<QJsonObject>& records, tagaccess::ID3& id3, BatchReport& report) {
    int restored = 0;
    for (const QJsonObject& record : records) {
        const QString path = batch::TagsRecordPath(record);
        if (path.isEmpty())
            continue;
        report.Begin(path);
        const QString reason = UnusableReason(path);
        if (!reason.isEmpty())
            report.Fail(reason);
        else if (!batch::UndoTagsFromName(id3, record, true) && !report.Failed())
            report.Fail(QStringLiteral("the tag library could not write the tag"));
        restored += report.End() ? 1 : 0;
    }
    return restored;
}

} // namespace

int RunUndo(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    const QStringList commands = options.undoCommand.isEmpty()
                                     ? QStringList{batch::kOrganizeCommand, batch::kRenameCommand,
                                                   batch::kTagsFromNamesCommand}
                                     : QStringList{options.undoCommand};
    const std::optional<batch::UndoTarget> target = batch::FindUndoTarget(commands);
    if (!target) {
        report.FailRun(QStringLiteral("there is no organize, rename or from-names run to undo"));
        return report.ExitCode();
    }
    PrintOut(QStringLiteral("Undoing %1: %2\n").arg(target->journal.command, target->Describe()));
    const std::vector<QJsonObject> records = journal::RecordsNewestFirst(target->journal.path);
    const int restored = target->journal.command == batch::kTagsFromNamesCommand
                             ? UndoTags(records, id3, report)
                             : UndoMoves(records, report);
    // A journal with failures stays offered: another undo takes back what is left.
    if (report.ExitCode() == 0 && !journal::MarkUndone(target->journal.path))
        report.FailRun(
            QStringLiteral("the journal %1 could not be marked undone").arg(target->journal.path));
    PrintOut(QStringLiteral("Undone: %1 file(s).\n").arg(restored));
    return report.ExitCode();
}

} // namespace cli
