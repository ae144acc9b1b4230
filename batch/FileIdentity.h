#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

namespace batch {

// What a file is at one moment: where it lives (device and inode), its size and its modification
// time. A file moved on one file system keeps all four; one copied across file systems keeps its
// size and time (copies keep the original's times); an edited, touched or replaced file does not.
struct FileIdentity {
    qint64 device = 0;
    qint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    // The permission bits; -1 when not recorded.
    int mode = -1;

    QJsonObject ToJson() const;
    static std::optional<FileIdentity> FromJson(const QJsonValue& value);
};

// The identity of the path itself (a link is not followed); nothing when there is no such path.
std::optional<FileIdentity> IdentityOf(const QString& path);

// Whether the file now at a path is the one recorded, moved there: on the recorded device the same
// inode (its tags may have been edited since: it is still that file); on another, where the inode
// tells nothing, the same size and time (to the 2 seconds FAT keeps).
bool SameFileMoved(const FileIdentity& recorded, const FileIdentity& now);

// Whether a copy still has the recorded file's size and time (to the 2 seconds FAT keeps).
bool SameSizeAndTime(const FileIdentity& recorded, const FileIdentity& now);

// Gives the file at `path` the recorded permission bits and modification time where it lost them
// (a file system without Unix modes, or one that keeps times to 2 seconds). Answers the empty
// text or why not.
QString RestoreModeAndTime(const QString& path, const FileIdentity& recorded);

// The SHA-256 of the file's bytes, in hex; empty when it cannot be read.
QString ContentHash(const QString& path);

} // namespace batch
