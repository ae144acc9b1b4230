// organize and rename: every file to the path a pattern gives it from its tag fields.
#include "Commands.h"
#include "FileBatch.h"
#include "batch/MoveJournal.h"
#include "batch/MovePlan.h"
#include "journal/JournalWriter.h"

#include <algorithm>

namespace cli {
namespace {

// The files under the paths with the fields of the tag chosen; a file whose tag cannot be read
// fails and is left out (counted in `failed`). A report of its own: the progress line counts
// the files read, then those moved.
std::vector<batch::MoveSource> ReadSources(const Options& options, tagaccess::ID3& id3,
                                           int& failed) {
    BatchReport report;
    std::vector<batch::MoveSource> sources;
    ForEachMp3(options.paths, report, [&](const QString& path) {
        const tagaccess::TagFields tag =
            options.fieldsFromV1 ? id3.ReadId3v1(path, true) : id3.ReadId3v2(path, true);
        if (!report.Failed())
            sources.push_back({path, batch::FieldsOfTag(tag)});
    });
    failed = report.Failures();
    return sources;
}

void ReportConflict(const batch::PlannedMove& move, BatchReport& report) {
    report.FailPath(
        move.from,
        QStringLiteral("skipped: %1 exists or is the new path of another file too").arg(move.to));
}

// Makes the moves of the plan, each written to the journal before it happens; answers how many
// went through.
int MakeMoves(const std::vector<batch::PlannedMove>& plan, const Options& options,
              BatchReport& report) {
    const batch::MoveMode mode = options.copy ? batch::MoveMode::Copy : batch::MoveMode::Move;
    std::vector<const batch::PlannedMove*> moving;
    for (const batch::PlannedMove& move : plan) {
        if (batch::Moves(move.state))
            moving.push_back(&move);
    }
    if (moving.empty())
        return 0;
    journal::JournalWriter journal(options.command == Command::Organize ? batch::kOrganizeCommand
                                                                        : batch::kRenameCommand);
    if (!journal.IsOpen()) {
        report.FailRun(journal.ErrorText());
        return 0;
    }
    int done = 0;
    for (size_t first = 0; first < moving.size(); first += batch::kRecordsPerSync) {
        const size_t end = std::min(moving.size(), first + batch::kRecordsPerSync);
        std::vector<QJsonObject> records;
        for (size_t i = first; i < end; ++i)
            records.push_back(batch::MoveRecord(moving[i]->from, moving[i]->to, mode));
        // Without its journal line no move may happen: the run ends here.
        if (!journal.AppendAll(records)) {
            report.FailRun(journal.ErrorText() + QStringLiteral("; nothing was moved after this"));
            break;
        }
        for (size_t i = first; i < end; ++i) {
            report.Begin(moving[i]->from);
            const QString error = batch::ApplyMove(records[i - first]);
            if (!error.isEmpty())
                report.Fail(error);
            done += report.End() ? 1 : 0;
        }
    }
    journal.End();
    return done;
}

} // namespace

int RunMoves(const Options& options, tagaccess::ID3& id3) {
    int unread = 0;
    const std::vector<batch::MoveSource> sources = ReadSources(options, id3, unread);
    BatchReport report;
    const std::vector<batch::PlannedMove> plan = batch::PlanMoves(
        sources, *naming::NamePattern::Parse(options.pattern),
        options.command == Command::Organize ? options.destination : QString(),
        options.posixNames ? naming::NameRules::Posix : naming::NameRules::Portable);
    int conflicts = 0;
    for (const batch::PlannedMove& move : plan) {
        if (options.dryRun)
            PrintOut(QStringLiteral("%1 -> %2 (%3)\n")
                         .arg(move.from, move.to, batch::StateText(move.state)));
        if (move.state == batch::MoveState::Conflict) {
            ReportConflict(move, report);
            ++conflicts;
        }
    }
    const int exitCode = unread == 0 ? report.ExitCode() : 1;
    if (options.dryRun)
        return exitCode;
    const int done = MakeMoves(plan, options, report);
    PrintOut(
        (options.copy ? QStringLiteral("Copied %1 file(s)") : QStringLiteral("Moved %1 file(s)"))
            .arg(done) +
        QStringLiteral("; %1 conflict(s) skipped; %2 failed.\n")
            .arg(conflicts)
            .arg(unread + report.Failures() - conflicts));
    return std::max(exitCode, report.ExitCode());
}

} // namespace cli
