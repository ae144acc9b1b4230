#include "MoveJournal.h"

#include "FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

namespace batch {
namespace {

const QString kMoveKind = QStringLiteral("move");
const QString kCopyKind = QStringLiteral("copy");
const QString kDoneKind = QStringLiteral("done");
const QString kFrom = QStringLiteral("from");
const QString kTo = QStringLiteral("to");
const QString kFolders = QStringLiteral("folders");
const QString kIdentity = QStringLiteral("id");
const QString kHash = QStringLiteral("sha256");

QStringList Folders(const QJsonObject& record) {
    QStringList folders;
    for (const QJsonValue& folder : record.value(kFolders).toArray())
        folders << folder.toString();
    return folders;
}

bool Exists(const QString& path) {
    return IdentityOf(path).has_value();
}

// Whether the path is no symbolic link: a link's mode is not its own to set.
bool IsLinkFree(const QString& path) {
    return !QFileInfo(path).isSymLink();
}

bool IsCopy(const QJsonObject& record) {
    return record.value(journal::kKindKey).toString() == kCopyKind;
}

bool Under(const QString& path, const QStringList& roots) {
    return std::any_of(roots.begin(), roots.end(), [&](const QString& root) {
        return path == root || path.startsWith(root.endsWith(u'/') ? root : root + u'/');
    });
}

// A path a journal may name: absolute and clean, below one of the run's roots.
bool Allowed(const QString& path, const QStringList& roots) {
    return !path.isEmpty() && QDir::isAbsolutePath(path) && QDir::cleanPath(path) == path &&
           Under(path, roots);
}

// The record's copy still as the run made it: its hash as marked, or for a run that died, the
// same bytes as its source.
bool CopyUnchanged(const QJsonObject& record, const MoveDone& done) {
    const QString now = ContentHash(RecordTo(record));
    if (done.marked)
        return !now.isEmpty() && now == done.hash;
    const std::optional<FileIdentity> recorded = FileIdentity::FromJson(record.value(kIdentity));
    const std::optional<FileIdentity> copy = IdentityOf(RecordTo(record));
    return recorded && copy && SameSizeAndTime(*recorded, *copy) && !now.isEmpty() &&
           now == ContentHash(RecordFrom(record));
}

} // namespace

QString RecordFrom(const QJsonObject& record) {
    return record.value(kFrom).toString();
}

QString RecordTo(const QJsonObject& record) {
    return record.value(kTo).toString();
}

QJsonObject MoveRecord(const QString& from, const QString& to, MoveMode mode) {
    QJsonObject record{{journal::kKindKey, mode == MoveMode::Move ? kMoveKind : kCopyKind},
                       {kFrom, from},
                       {kTo, to},
                       {kFolders, QJsonArray::fromStringList(MissingFolders(to))}};
    if (const std::optional<FileIdentity> identity = IdentityOf(from))
        record.insert(kIdentity, identity->ToJson());
    return record;
}

QString ApplyMove(const QJsonObject& record) {
    const QStringList folders = Folders(record);
    QString error = MakeFolders(folders);
    if (error.isEmpty())
        error = MoveFile(RecordFrom(record), RecordTo(record),
                         IsCopy(record) ? MoveMode::Copy : MoveMode::Move);
    if (!error.isEmpty())
        RemoveEmptyFolders(folders);
    return error;
}

QString JournaledMove(journal::JournalWriter& journal, const QString& from, const QString& to,
                      MoveMode mode) {
    const QJsonObject record = MoveRecord(from, to, mode);
    if (!journal.Append(record))
        return journal.ErrorText();
    const QString error = ApplyMove(record);
    if (error.isEmpty() && !journal.Append(DoneRecord(record)))
        return journal.ErrorText();
    return error;
}

QJsonObject DoneRecord(const QJsonObject& moveRecord) {
    QJsonObject done{{journal::kKindKey, kDoneKind}, {kTo, RecordTo(moveRecord)}};
    if (IsCopy(moveRecord))
        done.insert(kHash, ContentHash(RecordTo(moveRecord)));
    return done;
}

bool IsDoneRecord(const QJsonObject& record) {
    return record.value(journal::kKindKey).toString() == kDoneKind;
}

MoveDone DoneOf(const QJsonObject& doneRecord) {
    return {true, doneRecord.value(kHash).toString()};
}

bool IsMoveRecord(const QJsonObject& record) {
    return record.value(journal::kKindKey).toString() == kMoveKind;
}

QString RecordProblem(const QJsonObject& record, const QStringList& roots) {
    const QString kind = record.value(journal::kKindKey).toString();
    if (kind == kDoneKind)
        return Allowed(RecordTo(record), roots)
                   ? QString()
                   : QStringLiteral("a path outside the run's folders");
    if (kind != kMoveKind && kind != kCopyKind)
        return QStringLiteral("a record of another kind (\"%1\")").arg(kind);
    if (!FileIdentity::FromJson(record.value(kIdentity)))
        return QStringLiteral("a move without the identity of its file");
    QStringList paths = Folders(record);
    paths << RecordFrom(record) << RecordTo(record);
    for (const QString& path : paths) {
        if (!Allowed(path, roots))
            return QStringLiteral("a path outside the run's folders (%1)").arg(path);
    }
    return QString();
}

QString UndoMoveRecord(const QJsonObject& record, const MoveDone& done, bool runEnded, bool* undone,
                       QStringList* laterFolders) {
    if (undone)
        *undone = false;
    const QString from = RecordFrom(record);
    const QString to = RecordTo(record);
    const auto removeFolders = [&] {
        if (laterFolders)
            *laterFolders += Folders(record);
        else
            RemoveEmptyFolders(Folders(record));
    };
    // A move that failed, or was never made, left nothing to take back: what stands at its
    // target now is not the run's.
    if (runEnded && !done.marked) {
        removeFolders();
        return QString();
    }
    if (!runEnded)
        RemoveDeadPartialCopies(QFileInfo(to).path());
    QString error;
    const std::optional<FileIdentity> now = IdentityOf(to);
    const std::optional<FileIdentity> recorded = FileIdentity::FromJson(record.value(kIdentity));
    if (IsCopy(record)) {
        if (!now) {
            // Never made, or removed already.
        } else if (!CopyUnchanged(record, done)) {
            error = QStringLiteral("changed since the run copied it: left as it is");
        } else if (!QFile::remove(to)) {
            error = QStringLiteral("the copy cannot be removed");
        } else if (undone) {
            *undone = true;
        }
    } else if (!now) {
        if (!Exists(from))
            error = QStringLiteral("no longer where the run moved it: nothing to move back");
    } else if (!recorded || !SameFileMoved(*recorded, *now)) {
        if (done.marked || !Exists(from))
            error = QStringLiteral("not the file the run moved there (it was replaced or "
                                   "rewritten since): left where it is");
    } else if (Exists(from)) {
        // A run that died between naming a copy across file systems and removing its source
        // leaves the file twice: the same bytes twice are one file too many, anything else is
        // the user's to sort out.
        const QString copy = runEnded || done.marked ? QString() : ContentHash(to);
        const bool twice = !copy.isEmpty() && copy == ContentHash(from);
        if (!twice)
            error = QStringLiteral("cannot go back: %1 exists").arg(from);
        else if (!QFile::remove(to))
            error = QStringLiteral("cannot be removed, a second copy of %1").arg(from);
        else if (undone)
            *undone = true;
    } else {
        error = MakeFolders(MissingFolders(from));
        if (error.isEmpty())
            error = MoveFile(to, from, MoveMode::Move);
        if (undone)
            *undone = error.isEmpty();
        // Back from a file system without Unix modes, or with coarse times, the file gets the
        // mode and time it had.
        if (error.isEmpty() && now->device != recorded->device && IsLinkFree(from))
            error = RestoreModeAndTime(from, *recorded);
    }
    removeFolders();
    return error;
}

} // namespace batch
