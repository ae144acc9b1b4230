#include "SharedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>

#include "SystemError.h"

namespace kivuna::tags {
namespace {

struct Shared {
    std::string name;
    FileDescriptor file;
    bool writable = false;
    // The save lock is held on `file` (SharedFile.h).
    bool locked = false;
    bool sideChecked = false;
};

// Destroyed, and the file closed, when the library is unloaded.
Shared current;

bool SameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool HasWriteBit(const struct stat& status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

enum class Reuse { Reused, Refused, Missed };

// The open file again, when the name still leads to it: one status read by the name instead of
// opening, reading the status and closing.
Reuse TryReuse(const char* name, bool writable, const std::function<bool(int)>& lock) {
    if (!current.file.Valid() || current.name != name || (writable && !current.writable))
        return Reuse::Missed;
    if (lock && !current.locked) {
        if (!lock(current.file.Get())) {
            KeepSystemError();
            current = {};
            return Reuse::Refused;
        }
        current.locked = true;
        current.file.SetSaveLocked(true);
    }
    struct stat status {};
    bool viaLink = false;
    if (!FileDescriptor::StatusByName(name, status, viaLink) ||
        !SameInode(status, current.file.Status()) || viaLink != current.file.ViaLink()) {
        // Closing lets go of the lock.
        current = {};
        return Reuse::Missed;
    }
    if (writable && !HasWriteBit(status)) {
        KeepSystemError(EACCES);
        current = {};
        return Reuse::Refused;
    }
    current.file.Adopt(status);
    return Reuse::Reused;
}

} // namespace

FileDescriptor& SharedFile(const char* name, bool writable, const std::function<bool(int)>& lock) {
    if (name == nullptr) {
        current = {};
        return current.file;
    }
    switch (TryReuse(name, writable, lock)) {
    case Reuse::Reused:
    case Reuse::Refused:
        return current.file;
    case Reuse::Missed:
        break;
    }
    // The file a read of this operation opened by the name, opened again for a save.
    const bool again =
        writable && current.file.Valid() && current.name == name && !current.file.ViaLink();
    FileDescriptor file = writable ? FileDescriptor::OpenForWriting(name, lock, again)
                                   : FileDescriptor::OpenForReading(name);
    file.KeepReads();
    // A file open for reading is opened again for writing: what was read of it still holds.
    if (file.Valid() && current.file.Valid() && current.name == name)
        file.TakeReadsFrom(current.file);
    const bool locked = file.Valid() && writable && lock;
    file.SetSaveLocked(locked);
    current = {name, std::move(file), writable, locked, false};
    return current.file;
}

bool KeepsSaveLock() {
    return current.file.Valid() && current.locked;
}

bool SideNameChecked() {
    return KeepsSaveLock() && current.sideChecked;
}

void SetSideNameChecked(bool checked) {
    current.sideChecked = checked && KeepsSaveLock();
}

void LetGoOfSaveLock() {
    if (!KeepsSaveLock())
        return;
    flock(current.file.Get(), LOCK_UN);
    NoSaveLockHeld();
}

void NoSaveLockHeld() {
    current.file.SetSaveLocked(false);
    current.locked = false;
    current.sideChecked = false;
}

void ForgetSharedFile() {
    current = {};
}

void ShareReplacement(FileDescriptor file) {
    // Closing the old file lets go of its lock.
    current.file = std::move(file);
    current.file.SetSaveLocked(current.file.Valid());
    current.writable = true;
    current.locked = current.file.Valid();
    current.sideChecked = false;
}

} // namespace kivuna::tags
