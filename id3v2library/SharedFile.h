#pragma once

// The MP3 the calls of one load of the library work on. The programs load the library for one
// operation on one file, whose handles load and save it several times: the file is opened once for
// all of them and kept open until the library is unloaded, with the bytes read near its start and
// end (FileDescriptor::KeepReads). Each call still reads the status by the name once, so a name
// that now leads to another file (a save replaced it) or a file changed since is opened or read
// anew.
// Entry points run one at a time (HandleTable), so the one file needs no lock of its own.
#include <functional>

#include "FileDescriptor.h"

namespace kivuna::tags {

// The regular file `name` leads to, open for reading, or for reading and writing when `writable`
// (a file whose mode has no write bit is refused then, even to a superuser). `lock`, when given,
// takes the save lock on the descriptor before the status is read (so the status is the one under
// the lock); its false answer fails the call. The lock is then kept for the saves that follow
// (see KeepsSaveLock). The object is the same on every call and lives until the library is
// unloaded; it is invalid when the file cannot be had, the system's reason kept for writing.
FileDescriptor& SharedFile(const char* name, bool writable,
                           const std::function<bool(int)>& lock = {});

// The save lock, once taken, is kept from one save of an operation to the next: no other save can
// come in between, so the file and its side name stay as the first save found them. It is let go
// of by the first call that only reads (once it has read), when another file is shared and when
// the library is unloaded (closing the file), so another program's save waits for one operation
// at most. True while it is held.
bool KeepsSaveLock();

// Whether the side name was looked at (SaveLock.cpp) since the lock was taken; while the lock is
// kept, only this library's own saves can leave a side file there.
bool SideNameChecked();
void SetSideNameChecked(bool checked);

// Lets go of the save lock, if held.
void LetGoOfSaveLock();
// The save lock could not be had because the file system keeps no advisory locks.
void NoSaveLockHeld();

// Closes the file: a save put a new file in its place.
void ForgetSharedFile();

// A save put `file` in place of the shared file, under the same name, and locked it before: the
// operation goes on with it, and with the lock.
void ShareReplacement(FileDescriptor file);

} // namespace kivuna::tags
