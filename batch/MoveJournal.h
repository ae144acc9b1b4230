#pragma once

#include "FileMove.h"
#include "journal/JournalWriter.h"

#include <QJsonObject>
#include <QString>

namespace batch {

// Moves whose records go to the journal with one wait for the disk: a wait per move would cost
// more than the moves themselves.
inline constexpr size_t kRecordsPerSync = 256;

// The journal record of a move (or copy) about to be made, naming the folders it will create.
QJsonObject MoveRecord(const QString& from, const QString& to, MoveMode mode);

// Makes the move a record describes: creates its folders, then moves or copies the file. Answers
// the empty text or why not (and then the folders it made are gone again).
QString ApplyMove(const QJsonObject& record);

// Writes the move's record to the journal, then makes the move. Nothing happens when the record
// could not be written. Answers the empty text or why not.
QString JournaledMove(journal::JournalWriter& journal, const QString& from, const QString& to,
                      MoveMode mode);

// Undoes one record of a move journal: a moved file goes back, a copy is removed, and the folders
// the move created go when they are empty. A record whose change never happened (the run died
// between the record and the move) or was undone already is passed over. Answers the empty text
// or why not; `undone` tells whether there was a change to take back (a file moved back to the
// record's "from", or a copy removed).
// With `laterFolders`, the record's folders are added there instead, for RemoveFoldersLeftEmpty
// once all records are undone.
QString UndoMoveRecord(const QJsonObject& record, bool* undone = nullptr,
                       QStringList* laterFolders = nullptr);

// Whether the record is of a move (not a copy).
bool IsMoveRecord(const QJsonObject& record);

// The record's source and target paths.
QString RecordFrom(const QJsonObject& record);
QString RecordTo(const QJsonObject& record);

} // namespace batch
