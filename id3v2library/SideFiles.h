#pragma once

// The file a save keeps beside an MP3: the new content, under one name for both ways of putting it
// in place (TagPlacement.cpp), while it is linked in before the rename or while it is the journal
// of an in-place rewrite. It is named after the MP3's inode, never after its name: a name may
// already use all 255 bytes a file system allows, and a save holding the lock on that inode knows
// that no other live save uses the side name, so one found there is a leftover or a journal.
#include <string>
#include <sys/types.h>

#include "FileDescriptor.h"

namespace kivuna::tags {

struct SidePaths {
    // The MP3 itself, with a symbolic link followed, so a rename keeps the link pointing at it.
    std::string target;
    std::string folder;
    // ".kivuna-<inode>" in the folder.
    std::string side;
};

// The paths for `file`, opened by `name`; an empty target when a link cannot be resolved.
SidePaths SidePathsFor(const char* name, const FileDescriptor& file);

// A new file beside the target, removed again unless it was published.
class SideFile {
  public:
    // An unnamed file in the folder (so a killed save leaves nothing); where the file system cannot
    // make one, a file at the side name.
    explicit SideFile(const SidePaths& paths);
    ~SideFile();
    SideFile(const SideFile&) = delete;
    SideFile& operator=(const SideFile&) = delete;

    const FileDescriptor& File() const { return fd_; }
    // Gives the complete content the side name and then, when it differs, `name` (replacing what
    // was there).
    bool Publish(const std::string& name);
    // The published file, open still.
    FileDescriptor TakePublished();

  private:
    const SidePaths& paths_;
    FileDescriptor fd_;
    bool named_ = false;
    bool published_ = false;
};

// Flushes the folder's entries, so a rename or link survives a power cut.
void SyncFolder(const std::string& folder);

} // namespace kivuna::tags
