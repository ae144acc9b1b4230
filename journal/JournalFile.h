#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <vector>

// What a journal file looks like on disk, shared by its writer and its reader.
//
// One line of compact JSON per entry. The first line opens the journal: {"journal":"begin",
// "command":..., "time":..., "by":...}. Every change of the run is preceded by one record line, an
// object with a "kind" chosen by the command. {"journal":"end"} closes a run that ended by itself
// (done or stopped); a journal without it was left by a run that did not end: the program died. An
// undo that went through appends {"journal":"undone"}.
namespace journal {

inline constexpr char kFileSuffix[] = ".jsonl";

inline const QString kMarkKey = QStringLiteral("journal");
inline const QString kBegin = QStringLiteral("begin");
inline const QString kEnd = QStringLiteral("end");
inline const QString kUndone = QStringLiteral("undone");
inline const QString kCommandKey = QStringLiteral("command");
inline const QString kTimeKey = QStringLiteral("time");
inline const QString kKindKey = QStringLiteral("kind");
// In the first line: the front end the run was made in ("window", "shell"), and the folders the
// run worked under (those searched and its destination): no record may name a path outside them.
inline const QString kFrontEndKey = QStringLiteral("by");
inline const QString kRootsKey = QStringLiteral("roots");

// The folder of the journals in the user's data folder; created on first use by the writer.
QString DefaultJournalFolder();

// A mark line: {"journal": mark, "time": now}, with the extra members given.
QJsonObject MarkLine(const QString& mark, QJsonObject extra = {});

// Appends the lines, each with its newline, to the open file descriptor and waits until they are
// on disk. Answers false (errno set) when any byte did not make it.
bool AppendDurably(int fd, const std::vector<QJsonObject>& lines);
inline bool AppendDurably(int fd, const QJsonObject& line) {
    return AppendDurably(fd, std::vector<QJsonObject>{line});
}

// Waits until the folder's entries (a new file's name) are on disk.
void SyncFolder(const QString& folder);

} // namespace journal
