// undo: takes back the newest journaled run of any kind, made here or in the window; or lists the
// runs that can be undone.
#include "Commands.h"
#include "FileBatch.h"
#include "tagjobs/RunKinds.h"
#include "tagjobs/Undo.h"

namespace cli {

int RunUndo(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    const QStringList commands =
        options.undoCommand.isEmpty() ? tagjobs::AllCommands() : QStringList{options.undoCommand};
    if (options.list) {
        for (const tagjobs::UndoTarget& run : tagjobs::UndoableRuns(commands))
            PrintOut(run.Summary() + u'\n');
        return 0;
    }
    const std::optional<tagjobs::UndoTarget> target = tagjobs::FindUndoTarget(commands);
    if (!target) {
        report.FailRun(QStringLiteral("there is no run to undo"));
        return report.ExitCode();
    }
    PrintNote(QStringLiteral("Undoing %1: %2\n").arg(target->journal.command, target->Describe()));
    const tagjobs::UndoResult result = tagjobs::UndoRun(*target, id3, report);
    if (!result.refusal.isEmpty()) {
        report.FailRun(result.refusal);
        return report.ExitCode();
    }
    if (!result.markError.isEmpty())
        report.FailRun(result.markError);
    PrintNote(QStringLiteral("Undone: %1 file(s).%2\n")
                  .arg(result.restored)
                  .arg(tagjobs::TextsOnlyNote(result)));
    return report.ExitCode();
}

} // namespace cli
