#pragma once

#include "FileMove.h"
#include "journal/JournalWriter.h"

#include <QJsonObject>
#include <QString>

namespace batch {

// The journal commands of the file moves.
inline const QString kOrganizeCommand = QStringLiteral("organize");
inline const QString kRenameCommand = QStringLiteral("rename");

// Writes the move's record to the journal, then creates the missing folders and moves or copies
// the file. Nothing happens when the record could not be written. Answers the empty text or why
// not.
QString JournaledMove(journal::JournalWriter& journal, const QString& from, const QString& to,
                      MoveMode mode);

// Undoes one record of a move journal: a moved file goes back, a copy is removed, and the folders
// the move created go when they are empty. A record whose change never happened (the run died
// between the record and the move) or was undone already is passed over. Answers the empty text
// or why not; `restored` tells where the file is now ("from" of the record) when it moved back.
QString UndoMoveRecord(const QJsonObject& record, bool* restored = nullptr);

// The record's source and target paths.
QString RecordFrom(const QJsonObject& record);
QString RecordTo(const QJsonObject& record);

} // namespace batch
