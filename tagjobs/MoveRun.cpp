#include "MoveRun.h"

#include "FileTagChange.h"
#include "batch/MoveJournal.h"
#include "journal/JournalWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <algorithm>

namespace tagjobs {

std::vector<batch::MoveSource> ReadMoveSources(tagaccess::ID3& id3, const FileSet& files,
                                               RunObserver& observer, bool fromId3v1) {
    std::vector<batch::MoveSource> sources;
    // Only the chosen tag: one library load a file.
    RunEach(files, observer, QStringLiteral("Reading tags..."), [&](const QString& path, int) {
        QString failure;
        std::optional<tagaccess::TagFields> tag = ReadTag(id3, path, fromId3v1 ? 1 : 2, &failure);
        if (!tag)
            return FileOutcome::Failed(failure);
        sources.push_back({path, batch::FieldsOfTag(*tag)});
        return FileOutcome::Done();
    });
    return sources;
}

namespace {

// The folders a run works under: its sources' folders and its destination, none below another.
QStringList RunRoots(const std::vector<batch::PlannedMove>& plan, const QString& destination) {
    QStringList folders;
    if (!destination.isEmpty())
        folders << QDir::cleanPath(destination);
    for (const batch::PlannedMove& move : plan)
        folders << QFileInfo(move.from).path();
    folders.removeDuplicates();
    std::sort(folders.begin(), folders.end());
    QStringList roots;
    for (const QString& folder : folders) {
        if (roots.isEmpty() || (folder != roots.back() && !folder.startsWith(roots.back() + u'/') &&
                                roots.back() != QStringLiteral("/")))
            roots << folder;
    }
    return roots;
}

} // namespace

MoveRunResult RunMoves(const std::vector<batch::PlannedMove>& plan, batch::MoveMode mode,
                       const QString& command, const QString& destination, RunObserver& observer) {
    MoveRunResult result;
    result.results.resize(plan.size());
    journal::JournalWriter journal(
        command, journal::DefaultJournalFolder(),
        {{journal::kFrontEndKey, observer.FrontEnd()},
         {journal::kRootsKey, QJsonArray::fromStringList(RunRoots(plan, destination))}});
    if (!journal.IsOpen()) {
        result.journalError = journal.ErrorText();
        return result;
    }
    std::vector<QString> from;
    from.reserve(plan.size());
    for (const batch::PlannedMove& move : plan)
        from.push_back(move.from);
    std::vector<QJsonObject> records(plan.size());
    // The marks of the moves made since the last write, written with the next batch of records.
    std::vector<QJsonObject> done;
    size_t journaledUpTo = 0;
    const QString doneText =
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
            std::vector<QJsonObject> ahead = std::exchange(done, {});
            size_t count = 0;
            for (journaledUpTo = i; journaledUpTo < plan.size() && count < batch::kRecordsPerSync;
                 ++journaledUpTo) {
                const batch::PlannedMove& next = plan[journaledUpTo];
                if (!batch::Moves(next.state))
                    continue;
                records[journaledUpTo] = batch::MoveRecord(next.from, next.to, mode);
                ahead.push_back(records[journaledUpTo]);
                ++count;
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
        done.push_back(batch::DoneRecord(records[i]));
        text = doneText;
        ++result.moved;
        result.moves.emplace_back(move.from, move.to);
        return FileOutcome::Done();
    };
    const QString caption = mode == batch::MoveMode::Move ? QStringLiteral("Moving files...")
                                                          : QStringLiteral("Copying files...");
    result.stopped = RunEach(FileSet::Listed(std::move(from)), observer, caption, job).stopped;
    if (result.moved == 0) {
        journal.Discard();
        return result;
    }
    if (!journal.AppendAll(done) && result.journalError.isEmpty())
        result.journalError = journal.ErrorText();
    journal.End();
    return result;
}

} // namespace tagjobs
