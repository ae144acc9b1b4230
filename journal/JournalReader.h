#pragma once

#include "JournalFile.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace journal {

// One journal as found on disk.
struct JournalInfo {
    QString path;
    QString command;
    // Where the run was made ("window", "shell"); empty in journals from before it was kept.
    QString frontEnd;
    // The folders the run worked under; empty in journals from before they were kept.
    QStringList roots;
    QDateTime started;
    int records = 0;
    bool ended = false;
    bool undone = false;
};

// Reads a journal's first line and marks. Answers nothing for a file that is not a journal.
std::optional<JournalInfo> ReadJournalInfo(const QString& path);

// The journals of the given commands left by a run that died (no end, not undone, and not held by
// a run in progress), oldest first.
std::vector<JournalInfo> UnfinishedJournals(const QStringList& commands,
                                            const QString& folder = DefaultJournalFolder());

// The journals of the given commands whose run ended and which were not undone, newest first.
std::vector<JournalInfo> FinishedJournals(const QStringList& commands,
                                          const QString& folder = DefaultJournalFolder());

// The newest journal of the given commands in any state, not held by a run in progress: what the
// last of those commands left.
std::optional<JournalInfo> NewestJournal(const QStringList& commands,
                                         const QString& folder = DefaultJournalFolder());

// The records of a journal, newest first: the order to undo them in. A line torn by a crash is
// left out; it was written before its change, so the change was never made. Records of the kind
// `bulkKind` (bytes kept for the other records, read apart with ForEachLine) are left out unread.
std::vector<QJsonObject> RecordsNewestFirst(const QString& path, const QString& bulkKind = {});

// Calls `each` with every line of the journal in file order, without its line end, and where the
// line starts in the file; false when it cannot be read. The file is mapped, not copied: a line
// may hold megabytes.
bool ForEachLine(const QString& path,
                 const std::function<void(QByteArrayView line, qint64 offset)>& each);

// Whether the line is a record of that kind, told without parsing it: inside a record's texts
// quotes are escaped, so only the record's own kind can match.
bool IsRecordOfKind(QByteArrayView line, const QString& kind);

// Why the journal must not be trusted: it is no regular file of the user's own, or others may
// write it. Empty when it may be read.
QString TrustProblem(const QString& path);

// Marks the journal undone, so it is offered no more. Answers false when the mark is not on disk.
bool MarkUndone(const QString& path);

// Removes the oldest journals of the folder beyond the newest `keep`, except those of runs that
// died and were not undone.
void PruneJournals(const QString& folder, int keep);

} // namespace journal
