// organize and rename: every file to the path a pattern gives it from its tag fields.
#include "Commands.h"
#include "FileBatch.h"
#include "TerminalText.h"
#include "tagjobs/MoveRun.h"
#include "tagjobs/RunKinds.h"

#include <algorithm>

namespace cli {

int RunMoves(const Options& options, tagaccess::ID3& id3) {
    // A report of its own: the progress line counts the files read, then those moved.
    int unread = 0;
    std::vector<batch::MoveSource> sources;
    {
        BatchReport reading;
        sources = tagjobs::ReadMoveSources(
            id3, tagjobs::FileSet::FromPaths(options.paths, tagjobs::FileSet::Given::Mp3Files),
            reading, options.fieldsFromV1);
        unread = reading.Failures();
    }
    const std::vector<batch::PlannedMove> plan = batch::PlanMoves(
        sources, *naming::NamePattern::Parse(options.pattern),
        options.command == Command::Organize ? options.destination : QString(),
        options.posixNames ? naming::NameRules::Posix : naming::NameRules::Portable);
    BatchReport report;
    if (options.dryRun) {
        for (const batch::PlannedMove& move : plan) {
            PrintOut(
                QStringLiteral("%1 -> %2 (%3)\n")
                    .arg(ForOutput(move.from), ForOutput(move.to), batch::StateText(move.state)));
            if (move.state == batch::MoveState::Conflict)
                report.FailPath(move.from,
                                QStringLiteral("skipped: %1 exists or is the new path of another "
                                               "file too")
                                    .arg(move.to));
        }
        return unread == 0 ? report.ExitCode() : 1;
    }
    const tagjobs::MoveRunResult result = tagjobs::RunMoves(
        plan, options.copy ? batch::MoveMode::Copy : batch::MoveMode::Move,
        options.command == Command::Organize ? tagjobs::kOrganizeCommand : tagjobs::kRenameCommand,
        options.command == Command::Organize ? options.destination : QString(), report);
    if (!result.journalError.isEmpty())
        report.FailRun(result.journalError + QStringLiteral("; nothing was moved after this"));
    PrintNote(
        (options.copy ? QStringLiteral("Copied %1 file(s)") : QStringLiteral("Moved %1 file(s)"))
            .arg(result.moved) +
        QStringLiteral("; %1 conflict(s) skipped; %2 failed.\n")
            .arg(result.skipped)
            .arg(unread + result.failed));
    return unread == 0 ? report.ExitCode() : 1;
}

} // namespace cli
