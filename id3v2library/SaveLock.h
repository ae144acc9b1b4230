#pragma once

// The file a save writes, opened and held under an exclusive advisory lock from reading the tag on
// disk to the last byte written, and on to the end of the operation's saves (SharedFile.h). Two
// processes saving one file take turns, so neither's change is lost to the other's rename; a lock
// not had within a few seconds fails the save, file unchanged.
#include "FileDescriptor.h"
#include "SideFiles.h"

namespace kivuna::tags {

class SaveLock {
  public:
    // Opens `name` for writing and locks it, or goes on with the lock an earlier save of the
    // operation kept (SharedFile.h). When the file was replaced while waiting, the new one is
    // opened and locked instead. An interrupted in-place rewrite of it is finished first.
    explicit SaveLock(const char* name);
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // False when the file cannot be written, the lock was not had in time or a pending rewrite
    // could not be finished.
    bool Held() const { return file_ != nullptr && file_->Valid(); }
    // Held, on a file that holds MPEG audio; for a file still marked by a rewrite made under
    // another name, that is kept as the reason (SystemError.h).
    bool HeldOnMpegAudio() const;
    FileDescriptor& File() { return file_ != nullptr ? *file_ : none_; }
    const SidePaths& Paths() const { return paths_; }

  private:
    // The shared file (SharedFile.h) while held.
    FileDescriptor* file_ = nullptr;
    FileDescriptor none_;
    SidePaths paths_;
};

// A file opened by `name` for a load (the shared file, SharedFile.h), and whether it holds MPEG
// audio. A file whose in-place rewrite was interrupted is finished first and opened again;
// `unfinished` tells one that still shows the marker (SystemError.h).
struct FileForLoad {
    FileDescriptor& file;
    bool mp3 = false;
    bool unfinished = false;
};
FileForLoad OpenForLoad(const char* name);

} // namespace kivuna::tags
