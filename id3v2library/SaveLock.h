#pragma once

// The file a save writes, opened and held under an exclusive advisory lock from reading the tag on
// disk to the last byte written. Two processes saving one file take turns, so neither's change is
// lost to the other's rename; a lock not had within a few seconds fails the save, file unchanged.
#include "FileDescriptor.h"
#include "SideFiles.h"

namespace kivuna::tags {

class SaveLock {
  public:
    // Opens `name` for writing and locks it. When the file was replaced while waiting, the new one
    // is opened and locked instead. An interrupted in-place rewrite of it is finished first.
    explicit SaveLock(const char* name);

    // False when the file cannot be written, the lock was not had in time or a pending rewrite
    // could not be finished.
    bool Held() const { return file_.Valid(); }
    FileDescriptor& File() { return file_; }
    const SidePaths& Paths() const { return paths_; }

  private:
    FileDescriptor file_;
    SidePaths paths_;
};

// For a load that found no audio in `file`, opened by `name`: finishes its interrupted in-place
// rewrite when it shows the marker. True when the file is to be read again.
bool FinishPendingRewrite(const FileDescriptor& file, const char* name);

} // namespace kivuna::tags
