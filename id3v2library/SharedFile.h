#pragma once

// The MP3 the calls of one load of the library work on. The programs load the library for one
// operation on one file, whose handles load and save it several times: the file is opened once for
// all of them and kept open until the library is unloaded, with the bytes read near its start and
// end (FileDescriptor::KeepReads). Each call still reads the status by the name, so a name that
// now leads to another file (a save replaced it) or a file changed since is opened or read anew.
// Entry points run one at a time (HandleTable), so the one file needs no lock of its own.
#include <functional>

#include "FileDescriptor.h"

namespace kivuna::tags {

// The regular file `name` leads to, open for reading, or for reading and writing when `writable`
// (a file whose mode has no write bit is refused then, even to a superuser). `first`, when given,
// runs on the descriptor before the status is read (taking a lock, so the status is the one under
// the lock); its false answer fails the call. The object is the same on every call and lives until
// the library is unloaded; it is invalid when the file cannot be had, the system's reason kept
// for writing.
FileDescriptor& SharedFile(const char* name, bool writable,
                           const std::function<bool(int)>& first = {});

// Closes the file: a save put a new file in its place.
void ForgetSharedFile();

// Lets go of the lock taken on the shared file by `first`, when `fd` is still it; a forgotten file
// let go of it when it was closed.
void UnlockSharedFile(int fd);

} // namespace kivuna::tags
