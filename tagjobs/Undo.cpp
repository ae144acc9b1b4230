#include "Undo.h"

#include "FileSet.h"
#include "FileTagChange.h"
#include "RunKinds.h"
#include "TagsJournal.h"
#include "batch/MoveJournal.h"

#include <QLocale>

namespace tagjobs {
namespace {

// A summary names this many files, then counts the rest.
constexpr size_t kListedFailures = 10;

QString When(const journal::JournalInfo& journal) {
    return QLocale().toString(journal.started.toLocalTime(), QLocale::ShortFormat);
}

void UndoMoves(const UndoTarget& target, RunObserver& observer, UndoResult& result) {
    const std::vector<QJsonObject> records = journal::RecordsNewestFirst(target.journal.path);
    std::vector<QString> paths;
    for (const QJsonObject& record : records)
        paths.push_back(batch::RecordTo(record));
    // The run's folders go once every file has left them.
    QStringList folders;
    result.stopped = RunEach(FileSet::Listed(paths), observer, QStringLiteral("Undoing..."),
                             [&](const QString& path, int i) {
                                 const QJsonObject& record = records[size_t(i)];
                                 bool undone = false;
                                 const QString error =
                                     batch::UndoMoveRecord(record, &undone, &folders);
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
    std::vector<QString> paths;
    for (const KeptTags& file : kept)
        paths.push_back(file.path);
    result.stopped = RunEach(FileSet::Listed(paths), observer, QStringLiteral("Restoring tags..."),
                             [&](const QString& path, int i) {
                                 const KeptTags& file = kept[size_t(i)];
                                 const FileOutcome outcome =
                                     RestoreFileTags(id3, path, file.id3v1, file.id3v2);
                                 if (!outcome.done) {
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
    return MovesFiles(journal.command) ? journal.records : int(FilesToRestore(journal).size());
}

UndoResult UndoRun(const UndoTarget& target, tagaccess::ID3& id3, RunObserver& observer) {
    UndoResult result;
    if (MovesFiles(target.journal.command))
        UndoMoves(target, observer, result);
    else
        UndoTags(target, id3, observer, result);
    if (result.failures.empty() && !result.stopped && !journal::MarkUndone(target.journal.path))
        result.markError = QStringLiteral("The journal %1 could not be marked undone: the run "
                                          "stays on offer.")
                               .arg(target.journal.path);
    return result;
}

QString UndoSummary(const UndoResult& result) {
    QString text = QStringLiteral("Undone: %1 file(s).").arg(result.restored);
    if (result.stopped)
        text += QStringLiteral(" Stopped before the end: undo again to finish.");
    if (!result.failures.empty()) {
        text += QStringLiteral("\n%1 could not be undone:").arg(result.failures.size());
        for (size_t i = 0; i < std::min(result.failures.size(), kListedFailures); ++i)
            text +=
                QStringLiteral("\n%1: %2").arg(result.failures[i].first, result.failures[i].second);
        if (result.failures.size() > kListedFailures)
            text += QStringLiteral("\n...");
    }
    if (!result.markError.isEmpty())
        text += u'\n' + result.markError;
    return text;
}

} // namespace tagjobs
