#include "MoveRun.h"

#include "BatchRun.h"
#include "TForm2.h"
#include "batch/MoveJournal.h"
#include "journal/JournalReader.h"
#include "journal/JournalWriter.h"

namespace organizer {

MoveRunResult RunMoves(TForm2& form, const std::vector<batch::PlannedMove>& plan,
                       batch::MoveMode mode, const QString& command) {
    MoveRunResult result;
    result.results = QStringList(qsizetype(plan.size()), QString());
    result.newPaths.resize(plan.size());
    journal::JournalWriter journal(command);
    if (!journal.IsOpen()) {
        result.journalError = journal.ErrorText();
        return result;
    }
    std::vector<std::pair<QString, QString>> moved;
    std::vector<QJsonObject> records(plan.size());
    size_t journaledUpTo = 0;
    bool journalFailed = false;
    const QString done =
        mode == batch::MoveMode::Move ? QStringLiteral("moved") : QStringLiteral("copied");
    BatchRun run(form, mode == batch::MoveMode::Move ? QStringLiteral("Moving files...")
                                                     : QStringLiteral("Copying files..."));
    run.Run(int(plan.size()), [&](int i) {
        const batch::PlannedMove& move = plan[size_t(i)];
        QString& text = result.results[i];
        if (move.state == batch::MoveState::Unchanged) {
            text = QStringLiteral("unchanged");
            return BatchOutcome::Done;
        }
        if (move.state == batch::MoveState::Conflict) {
            text = QStringLiteral("skipped: conflict");
            ++result.skipped;
            return BatchOutcome::NotDone;
        }
        // The records of the next moves reach the disk together, before the first of them.
        if (size_t(i) >= journaledUpTo) {
            std::vector<QJsonObject> ahead;
            for (journaledUpTo = size_t(i);
                 journaledUpTo < plan.size() && ahead.size() < batch::kRecordsPerSync;
                 ++journaledUpTo) {
                const batch::PlannedMove& next = plan[journaledUpTo];
                records[journaledUpTo] = batch::Moves(next.state)
                                             ? batch::MoveRecord(next.from, next.to, mode)
                                             : QJsonObject();
                if (batch::Moves(next.state))
                    ahead.push_back(records[journaledUpTo]);
            }
            if (!journal.AppendAll(ahead))
                journalFailed = true;
        }
        const QString error =
            journalFailed ? journal.ErrorText() : batch::ApplyMove(records[size_t(i)]);
        if (!error.isEmpty()) {
            text = QStringLiteral("failed: ") + error;
            ++result.failed;
            // Without its journal line no move may happen: the run ends here.
            if (journalFailed) {
                result.journalError = journal.ErrorText();
                form.Running = 0;
            }
            return BatchOutcome::NotDone;
        }
        text = done;
        ++result.moved;
        result.newPaths[size_t(i)] = move.to;
        if (mode == batch::MoveMode::Move)
            moved.emplace_back(move.from, move.to);
        return BatchOutcome::Done;
    });
    result.stopped = run.Stopped();
    journal.End();
    form.FilesMoved(moved);
    return result;
}

UndoResult UndoMoves(TForm2& form, const QString& journalPath) {
    UndoResult result;
    const std::vector<QJsonObject> records = journal::RecordsNewestFirst(journalPath);
    std::vector<std::pair<QString, QString>>& back = result.moves;
    // The run's folders go once every file has left them.
    QStringList folders;
    BatchRun run(form, QStringLiteral("Undoing..."));
    run.Run(int(records.size()), [&](int i) {
        const QJsonObject& record = records[size_t(i)];
        bool undone = false;
        const QString error = batch::UndoMoveRecord(record, &undone, &folders);
        if (!error.isEmpty()) {
            result.failures << error;
            return BatchOutcome::NotDone;
        }
        if (!undone)
            return BatchOutcome::NotDone;
        ++result.restored;
        if (batch::IsMoveRecord(record))
            back.emplace_back(batch::RecordTo(record), batch::RecordFrom(record));
        return BatchOutcome::Done;
    });
    result.stopped = run.Stopped();
    batch::RemoveFoldersLeftEmpty(folders);
    if (result.failures.isEmpty() && !result.stopped)
        journal::MarkUndone(journalPath);
    form.FilesMoved(back);
    return result;
}

QString UndoSummary(const UndoResult& result) {
    QString text = QStringLiteral("Undone: %1 file(s).").arg(result.restored);
    if (result.stopped)
        text += QStringLiteral(" Stopped before the end: undo again to finish.");
    if (!result.failures.isEmpty()) {
        text += QStringLiteral("\n%1 could not be undone:\n").arg(result.failures.size()) +
                QStringList(result.failures.mid(0, 10)).join(QLatin1Char('\n'));
        if (result.failures.size() > 10)
            text += QStringLiteral("\n...");
    }
    return text;
}

} // namespace organizer
