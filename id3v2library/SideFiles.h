#pragma once

// The files a save keeps beside an MP3. They are named after the MP3's inode, never after its name:
// a name may already use all 255 bytes a file system allows, and a save holding the lock on that
// inode knows that no other live save uses those names, so a leftover of a killed one is removed.
#include <string>
#include <sys/types.h>

#include "FileDescriptor.h"

namespace kivuna::tags {

struct SidePaths {
    // The MP3 itself, with a symbolic link followed, so a rename keeps the link pointing at it.
    std::string target;
    std::string folder;
    // New content while it is written, where the file system cannot make it unnamed.
    std::string temp;
    // The complete new content of an in-place rewrite that has begun.
    std::string journal;
};

// The paths for `file`, opened by `name`; an empty target when a link cannot be resolved.
SidePaths SidePathsFor(const char* name, const FileDescriptor& file);

// A new file beside the target, removed again unless it was published under a name.
class SideFile {
  public:
    // An unnamed file in the folder (so a killed save leaves nothing); where the file system cannot
    // make one, a file at `paths.temp`, whose leftover from a killed save is removed first.
    explicit SideFile(const SidePaths& paths);
    ~SideFile();
    SideFile(const SideFile&) = delete;
    SideFile& operator=(const SideFile&) = delete;

    const FileDescriptor& File() const { return fd_; }
    // Gives the complete content the name `name`, replacing what was there.
    bool Publish(const std::string& name);

  private:
    const SidePaths& paths_;
    FileDescriptor fd_;
    bool named_ = false;
    bool published_ = false;
};

// Flushes the folder's entries, so a rename or link survives a power cut.
void SyncFolder(const std::string& folder);

} // namespace kivuna::tags
