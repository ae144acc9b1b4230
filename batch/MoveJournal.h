#pragma once

#include "FileMove.h"
#include "journal/JournalWriter.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// How a move run keeps its moves in the journal, and how an undo takes one back.
//
// Before a move: {"kind":"move"|"copy","from":...,"to":...,"folders":[...],"id":{...}}, the
// source's identity as it was. After it went through: {"kind":"done","to":...}, for a copy with
// "sha256", the copy's content. An undo acts on a file only when it is still what the run left.
namespace batch {

// Moves whose records go to the journal with one wait for the disk: a wait per move would cost
// more than the moves themselves.
inline constexpr size_t kRecordsPerSync = 256;

// The journal record of a move (or copy) about to be made, naming the folders it will create and
// the source's identity.
QJsonObject MoveRecord(const QString& from, const QString& to, MoveMode mode);

// Makes the move a record describes: creates its folders, then moves or copies the file. Answers
// the empty text or why not (and then the folders it made are gone again).
QString ApplyMove(const QJsonObject& record);

// Writes the move's record to the journal, then makes the move. Nothing happens when the record
// could not be written. Answers the empty text or why not.
QString JournaledMove(journal::JournalWriter& journal, const QString& from, const QString& to,
                      MoveMode mode);

// The mark that the record's move went through, written after it.
QJsonObject DoneRecord(const QJsonObject& moveRecord);
bool IsDoneRecord(const QJsonObject& record);

// Why the record cannot be a move of a run under these folders (a path that is not absolute and
// clean, or lies outside every root, a field missing); empty when it can.
QString RecordProblem(const QJsonObject& record, const QStringList& roots);

// What the run said of a record's move.
struct MoveDone {
    // The run marked the move done.
    bool marked = false;
    // For a copy marked done: its content's hash.
    QString hash;
};

// What a done record says.
MoveDone DoneOf(const QJsonObject& doneRecord);

// Undoes one record of a move journal: a moved file goes back, a copy is removed, and the folders
// the move created go when they are empty. Only a change the run made is taken back: of a run that
// ended, a move it marked done; of a run that died, a move whose file is where the record says.
// A file that is gone, or changed since (edited, touched, replaced), is left as it is and the
// answer says why (the caller names the file: the record's target); a move a dying run left half
// made (the file twice, byte for byte) is finished by removing the copy at the target; `undone`
// tells whether a change was taken back. With `laterFolders`, the record's folders are added there
// instead, for RemoveFoldersLeftEmpty once all records are undone.
QString UndoMoveRecord(const QJsonObject& record, const MoveDone& done, bool runEnded,
                       bool* undone = nullptr, QStringList* laterFolders = nullptr);

// Whether the record is of a move (not a copy).
bool IsMoveRecord(const QJsonObject& record);

// The record's source and target paths.
QString RecordFrom(const QJsonObject& record);
QString RecordTo(const QJsonObject& record);

} // namespace batch
