#include "Undo.h"

#include "FileSet.h"
#include "FileTagChange.h"
#include "KeptRegions.h"
#include "RunKinds.h"
#include "TagsJournal.h"
#include "batch/MoveJournal.h"

#include <QLocale>
#include <algorithm>
#include <map>

namespace tagjobs {
namespace {

QString When(const journal::JournalInfo& journal) {
    return QLocale().toString(journal.started.toLocalTime(), QLocale::ShortFormat);
}

// The move records of a journal, newest first, each with what its run said of it; nothing, with
// `refusal` set, when any record does not belong to a run under the journal's folders.
std::optional<std::vector<std::pair<QJsonObject, batch::MoveDone>>>
CheckedMoves(const journal::JournalInfo& journal, QString& refusal) {
    if (journal.roots.isEmpty()) {
        refusal = QStringLiteral("it does not name the folders its run worked under (an earlier "
                                 "version made it)");
        return std::nullopt;
    }
    const std::vector<QJsonObject> records = journal::RecordsNewestFirst(journal.path);
    std::map<QString, batch::MoveDone> done;
    for (const QJsonObject& record : records) {
        const QString problem = batch::RecordProblem(record, journal.roots);
        if (!problem.isEmpty()) {
            refusal = QStringLiteral("it holds %1").arg(problem);
            return std::nullopt;
        }
        if (batch::IsDoneRecord(record))
            done[batch::RecordTo(record)] = batch::DoneOf(record);
    }
    std::vector<std::pair<QJsonObject, batch::MoveDone>> moves;
    for (const QJsonObject& record : records) {
        if (!batch::IsDoneRecord(record))
            moves.emplace_back(record, done[batch::RecordTo(record)]);
    }
    return moves;
}

void UndoMoves(const UndoTarget& target, RunObserver& observer, UndoResult& result) {
    const auto records = CheckedMoves(target.journal, result.refusal);
    if (!records)
        return;
    std::vector<QString> paths;
    for (const auto& [record, done] : *records)
        paths.push_back(batch::RecordTo(record));
    // The run's folders go once every file has left them.
    QStringList folders;
    const bool ended = target.journal.ended;
    result.stopped = RunEach(FileSet::Listed(paths), observer, QStringLiteral("Undoing..."),
                             [&](const QString& path, int i) {
                                 const auto& [record, done] = (*records)[size_t(i)];
                                 bool undone = false;
                                 const QString error =
                                     batch::UndoMoveRecord(record, done, ended, &undone, &folders);
                                 if (!error.isEmpty()) {
                                     result.failures.emplace_back(path, error);
                                     return FileOutcome::Failed(error);
                                 }
                                 if (!undone)
                                     return FileOutcome{false, {}};
                                 ++result.restored;
                                 if (batch::IsMoveRecord(record))
                                     result.moves.emplace_back(path, batch::RecordFrom(record));
                                 return FileOutcome::Done();
                             })
                         .stopped;
    batch::RemoveFoldersLeftEmpty(folders);
}

void UndoTags(const UndoTarget& target, tagaccess::ID3& id3, RunObserver& observer,
              UndoResult& result) {
    const std::vector<KeptTags> kept = FilesToRestore(target.journal);
    const RegionReader pieces(target.journal.path);
    std::vector<QString> paths;
    for (const KeptTags& file : kept)
        paths.push_back(file.path);
    result.stopped = RunEach(FileSet::Listed(paths), observer, QStringLiteral("Restoring tags..."),
                             [&](const QString& path, int i) {
                                 const KeptTags& file = kept[size_t(i)];
                                 bool textsOnly = false;
                                 const FileOutcome outcome = RestoreFileTags(
                                     id3, file, pieces.Regions(file.regions), &textsOnly);
                                 if (textsOnly)
                                     result.textsOnly.push_back(path);
                                 if (!outcome.done) {
                                     if (outcome.failure.isEmpty())
                                         ++result.passedOver;
                                     else
                                         result.failures.emplace_back(path, outcome.failure);
                                     return outcome;
                                 }
                                 ++result.restored;
                                 result.touched.push_back(path);
                                 return outcome;
                             })
                         .stopped;
}

} // namespace

QString UndoTarget::Describe() const {
    if (unfinished)
        return QStringLiteral("A run started %1 did not end (%2 file(s)): undo it before going on.")
            .arg(When(journal))
            .arg(FilesToUndo(journal));
    return QStringLiteral("Last run: %1, %2 file(s).").arg(When(journal)).arg(FilesToUndo(journal));
}

QString UndoTarget::Question() const {
    QString text = QStringLiteral("Undo %1 of %2: %3 file(s)?")
                       .arg(RunCaption(journal.command), When(journal))
                       .arg(FilesToUndo(journal));
    if (!journal.frontEnd.isEmpty())
        text += QStringLiteral(" It was made in the %1.").arg(journal.frontEnd);
    if (unfinished)
        text += QStringLiteral(" The run did not end: the program stopped during it.");
    return text;
}

QString UndoTarget::Summary() const {
    const QString where = journal.frontEnd.isEmpty() ? QStringLiteral("unknown") : journal.frontEnd;
    return QStringLiteral("%1\t%2\t%3 file(s)\t%4%5")
        .arg(RunCaption(journal.command), When(journal))
        .arg(FilesToUndo(journal))
        .arg(where, unfinished ? QStringLiteral("\tdid not end") : QString());
}

std::optional<UndoTarget> FindUndoTarget(const QStringList& commands) {
    const std::vector<UndoTarget> runs = UndoableRuns(commands);
    if (runs.empty())
        return std::nullopt;
    return runs.front();
}

std::vector<UndoTarget> UndoableRuns(const QStringList& commands) {
    std::vector<UndoTarget> runs;
    const std::vector<journal::JournalInfo> left = journal::UnfinishedJournals(commands);
    for (auto it = left.rbegin(); it != left.rend(); ++it)
        runs.push_back({*it, true});
    for (journal::JournalInfo& finished : journal::FinishedJournals(commands))
        runs.push_back({std::move(finished), false});
    return runs;
}

int FilesToUndo(const journal::JournalInfo& journal) {
    if (!MovesFiles(journal.command))
        return int(FilesToRestore(journal).size());
    // Of a run that ended, the moves it marked done; of one that died, every move it recorded.
    const std::vector<QJsonObject> records = journal::RecordsNewestFirst(journal.path);
    return int(std::count_if(records.begin(), records.end(), [&](const QJsonObject& record) {
        return batch::IsDoneRecord(record) == journal.ended;
    }));
}

UndoResult UndoRun(const UndoTarget& target, tagaccess::ID3& id3, RunObserver& observer) {
    UndoResult result;
    result.refusal = journal::TrustProblem(target.journal.path);
    if (result.refusal.isEmpty() && MovesFiles(target.journal.command))
        UndoMoves(target, observer, result);
    else if (result.refusal.isEmpty())
        UndoTags(target, id3, observer, result);
    if (!result.refusal.isEmpty()) {
        result.refusal = QStringLiteral("The journal %1 was not undone, nothing was changed: %2.")
                             .arg(target.journal.path, result.refusal);
        return result;
    }
    if (result.failures.empty() && !result.stopped && !journal::MarkUndone(target.journal.path))
        result.markError = QStringLiteral("The journal %1 could not be marked undone: the run "
                                          "stays on offer.")
                               .arg(target.journal.path);
    return result;
}

QString TextsOnlyNote(const UndoResult& result) {
    if (result.textsOnly.empty())
        return QString();
    QString text = QStringLiteral("\n%1 file(s) had their tags changed after the run: only their "
                                  "seven fields were written back, other frames stay as they are "
                                  "now:")
                       .arg(result.textsOnly.size());
    for (const QString& path : result.textsOnly)
        text += u'\n' + path;
    return text;
}

QString UndoSummary(const UndoResult& result) {
    if (!result.refusal.isEmpty())
        return result.refusal;
    QString text = QStringLiteral("Undone: %1 file(s).").arg(result.restored);
    if (result.stopped)
        text += QStringLiteral(" Stopped before the end: undo again to finish.");
    if (!result.failures.empty()) {
        text += QStringLiteral("\n%1 could not be undone:").arg(result.failures.size());
        // Every file by name: the user must know what is not where it was.
        for (const auto& [path, why] : result.failures)
            text += QStringLiteral("\n%1: %2").arg(path, why);
    }
    text += TextsOnlyNote(result);
    if (!result.markError.isEmpty())
        text += u'\n' + result.markError;
    return text;
}

} // namespace tagjobs
