#pragma once

#include <QString>

namespace platform {

// The file-existence test: true for a regular file (or a link to one), false for folders,
// devices, pipes and names that do not exist.
bool FileExists(const QString& path);

// True for a folder (or a link to one) that may be searched: read and entered.
bool FolderCanBeSearched(const QString& path);
bool IsFolder(const QString& path);

// Why the path cannot be read as a regular file ("no such file", "is a folder" ...); empty when
// it can. By the name's own bytes, so a name that is not UTF-8 is reached too.
QString UnreadableFileReason(const QString& path);
// As UnreadableFileReason for a path already known to name a regular file (a folder's entry just
// read): only whether it opens for reading.
QString UnopenableFileReason(const QString& path);

} // namespace platform
