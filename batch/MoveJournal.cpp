#include "MoveJournal.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

namespace batch {
namespace {

const QString kMoveKind = QStringLiteral("move");
const QString kCopyKind = QStringLiteral("copy");

QStringList Folders(const QJsonObject& record) {
    QStringList folders;
    for (const QJsonValue& folder : record.value(QStringLiteral("folders")).toArray())
        folders << folder.toString();
    return folders;
}

bool Exists(const QString& path) {
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

} // namespace

QString RecordFrom(const QJsonObject& record) {
    return record.value(QStringLiteral("from")).toString();
}

QString RecordTo(const QJsonObject& record) {
    return record.value(QStringLiteral("to")).toString();
}

QJsonObject MoveRecord(const QString& from, const QString& to, MoveMode mode) {
    return {{journal::kKindKey, mode == MoveMode::Move ? kMoveKind : kCopyKind},
            {QStringLiteral("from"), from},
            {QStringLiteral("to"), to},
            {QStringLiteral("folders"), QJsonArray::fromStringList(MissingFolders(to))}};
}

QString ApplyMove(const QJsonObject& record) {
    const QStringList folders = Folders(record);
    QString error = MakeFolders(folders);
    if (error.isEmpty()) {
        const bool copy = record.value(journal::kKindKey).toString() == kCopyKind;
        error =
            MoveFile(RecordFrom(record), RecordTo(record), copy ? MoveMode::Copy : MoveMode::Move);
    }
    if (!error.isEmpty())
        RemoveEmptyFolders(folders);
    return error;
}

QString JournaledMove(journal::JournalWriter& journal, const QString& from, const QString& to,
                      MoveMode mode) {
    const QJsonObject record = MoveRecord(from, to, mode);
    if (!journal.Append(record))
        return journal.ErrorText();
    return ApplyMove(record);
}

bool IsMoveRecord(const QJsonObject& record) {
    return record.value(journal::kKindKey).toString() == kMoveKind;
}

QString UndoMoveRecord(const QJsonObject& record, bool* undone, QStringList* laterFolders) {
    if (undone)
        *undone = false;
    const QString kind = record.value(journal::kKindKey).toString();
    const QString from = RecordFrom(record);
    const QString to = RecordTo(record);
    if ((kind != kMoveKind && kind != kCopyKind) || from.isEmpty() || to.isEmpty())
        return QStringLiteral("Not a record of a move");
    QFile::remove(PartialCopyName(to));
    QString error;
    if (kind == kCopyKind) {
        if (Exists(to) && !QFile::remove(to))
            error = QStringLiteral("Cannot remove the copy %1").arg(to);
        else if (undone)
            *undone = true;
    } else if (Exists(to) && !Exists(from)) {
        error = MakeFolders(MissingFolders(from));
        if (error.isEmpty())
            error = MoveFile(to, from, MoveMode::Move);
        if (undone)
            *undone = error.isEmpty();
    } else if (Exists(to)) {
        error = QStringLiteral("Cannot move %1 back: %2 exists").arg(to, from);
    }
    if (laterFolders)
        *laterFolders += Folders(record);
    else
        RemoveEmptyFolders(Folders(record));
    return error;
}

} // namespace batch
