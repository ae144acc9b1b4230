#pragma once

#include <QString>
#include <QStringList>

namespace batch {

enum class MoveMode { Move, Copy };

// Whether two paths name one file (one device and inode): a case-only rename on a file system
// that ignores case.
bool SameFile(const QString& a, const QString& b);

// The folders leading to `path` that do not exist yet, outermost first.
QStringList MissingFolders(const QString& path);

// Where the file system has no unnamed files, a copy is written under ".kivuna-<process>-<n>.part"
// beside its target until it is complete.
inline constexpr char kPartialCopyPrefix[] = ".kivuna-";
inline constexpr char kPartialCopySuffix[] = ".part";

// Removes the partial copies in the folder whose writers are dead (no lock held on them): a run
// killed while it copied. Those of a living run stay.
void RemoveDeadPartialCopies(const QString& folder);

// Creates the folders (outermost first); answers the empty text or why not.
QString MakeFolders(const QStringList& folders);

// Moves or copies a file to `to`, which must not exist: nothing is ever overwritten. A move on one
// file system is a rename; across file systems, and for a copy, the bytes are written to an
// unnamed file (else a partial copy of this process) in the target's folder, synced, given the
// source's permissions and times, then named the target, and only then is a moved source
// removed. A symbolic link is moved as a link on its
// file system, and neither copied nor moved across file systems. Answers the empty text, or why not
// (and then the source is where it was and no partial copy is left).
QString MoveFile(const QString& from, const QString& to, MoveMode mode);

// Takes away the folders (innermost first) that are empty; others stay.
void RemoveEmptyFolders(const QStringList& outermostFirst);

// Takes away those of the folders (in any order, repeats allowed) that are empty once their empty
// subfolders among them are gone. Several at a time: on a file system mounted with online
// discard each removal waits for the device, and the device serves several waits at once.
void RemoveFoldersLeftEmpty(const QStringList& folders);

} // namespace batch
