#include "MoveRun.h"

#include "FileTagChange.h"
#include "batch/MoveJournal.h"
#include "journal/JournalWriter.h"

namespace tagjobs {

std::vector<batch::MoveSource> ReadMoveSources(tagaccess::ID3& id3, const FileSet& files,
                                               RunObserver& observer, bool fromId3v1) {
    std::vector<batch::MoveSource> sources;
    for (FileTags& file : ReadTagsOf(id3, files, observer))
        sources.push_back(
            {file.path, batch::FieldsOfTag(fromId3v1 ? file.tags.id3v1 : file.tags.id3v2)});
    return sources;
}

MoveRunResult RunMoves(const std::vector<batch::PlannedMove>& plan, batch::MoveMode mode,
                       const QString& command, RunObserver& observer) {
    MoveRunResult result;
    result.results.resize(plan.size());
    journal::JournalWriter journal(command, journal::DefaultJournalFolder(),
                                   {{journal::kFrontEndKey, observer.FrontEnd()}});
    if (!journal.IsOpen()) {
        result.journalError = journal.ErrorText();
        return result;
    }
    std::vector<QString> from;
    from.reserve(plan.size());
    for (const batch::PlannedMove& move : plan)
        from.push_back(move.from);
    std::vector<QJsonObject> records(plan.size());
    size_t journaledUpTo = 0;
    const QString done =
        mode == batch::MoveMode::Move ? QStringLiteral("moved") : QStringLiteral("copied");
    const auto job = [&](const QString&, int index) {
        const size_t i = size_t(index);
        const batch::PlannedMove& move = plan[i];
        QString& text = result.results[i];
        if (move.state == batch::MoveState::Unchanged) {
            text = QStringLiteral("unchanged");
            return FileOutcome::Done();
        }
        if (move.state == batch::MoveState::Conflict) {
            text = QStringLiteral("skipped: conflict");
            ++result.skipped;
            return FileOutcome::Failed(
                QStringLiteral("skipped: %1 exists or is the new path of another file too")
                    .arg(move.to));
        }
        // Without its journal line no move may happen: the run makes none after a failed write.
        if (!result.journalError.isEmpty()) {
            text = QStringLiteral("failed: not moved, the journal could not be written");
            ++result.failed;
            return FileOutcome::Failed(text.mid(8));
        }
        // The records of the next moves reach the disk together, before the first of them.
        if (i >= journaledUpTo) {
            std::vector<QJsonObject> ahead;
            for (journaledUpTo = i;
                 journaledUpTo < plan.size() && ahead.size() < batch::kRecordsPerSync;
                 ++journaledUpTo) {
                const batch::PlannedMove& next = plan[journaledUpTo];
                if (!batch::Moves(next.state))
                    continue;
                records[journaledUpTo] = batch::MoveRecord(next.from, next.to, mode);
                ahead.push_back(records[journaledUpTo]);
            }
            if (!journal.AppendAll(ahead))
                result.journalError = journal.ErrorText();
        }
        const QString error =
            result.journalError.isEmpty() ? batch::ApplyMove(records[i]) : result.journalError;
        if (!error.isEmpty()) {
            text = QStringLiteral("failed: ") + error;
            ++result.failed;
            return FileOutcome::Failed(error);
        }
        text = done;
        ++result.moved;
        result.moves.emplace_back(move.from, move.to);
        return FileOutcome::Done();
    };
    const QString caption = mode == batch::MoveMode::Move ? QStringLiteral("Moving files...")
                                                          : QStringLiteral("Copying files...");
    result.stopped = RunEach(FileSet::Listed(std::move(from)), observer, caption, job).stopped;
    journal.End();
    return result;
}

} // namespace tagjobs
