#include "TagPlacement.h"

#include <sys/file.h>
#include <unistd.h>
#include <vector>

#include "FileIdentity.h"
#include "SaveJournal.h"
#include "SharedFile.h"
#include "SystemError.h"

namespace kivuna::tags {
namespace {

bool CopyRest(const FileDescriptor& from, off_t offset, const FileDescriptor& to, off_t toOffset) {
    constexpr size_t kChunk = 256 * 1024;
    std::vector<char> buffer(kChunk);
    for (off_t left = from.Size() - offset; left > 0;) {
        const size_t n = left < static_cast<off_t>(kChunk) ? static_cast<size_t>(left) : kChunk;
        if (!from.ReadAt(offset, buffer.data(), n) || !to.WriteAt(toOffset, buffer.data(), n))
            return false;
        offset += static_cast<off_t>(n);
        toOffset += static_cast<off_t>(n);
        left -= static_cast<off_t>(n);
    }
    return true;
}

} // namespace

// A tag of another size moves the audio. The new file is always written whole beside the original
// first (unnamed where the file system allows, so a kill leaves nothing behind; elsewhere under a
// name the next save of the file removes), then one of two ways puts it in place:
// - Rename over the original, when the new file can be made indistinguishable from it: the file
//   has one name only, and its owner, group, permissions and extended attributes (ACLs included)
//   could all be given to the new file. A kill leaves the old file or the new one at the path.
// - Otherwise copy over the original in place, keeping its inode: every hard link sees the new
//   tag, and an owner the saving user could not give away, or an attribute it could not set, stays
//   as it is. The new file becomes the journal first, and the original is marked while it is
//   rewritten (SaveJournal.h); a kill in between leaves a file that no load takes for an MP3 until
//   the next load or save of it has copied the journal over it again.
// The copy costs a second write of the file, so the rename stays the way whenever it loses nothing.
bool ReplaceFileFront(SaveLock& lock, off_t oldSize, std::string_view tag) {
    FileDescriptor& file = lock.File();
    if (static_cast<off_t>(tag.size()) == oldSize)
        return file.WriteAt(0, tag.data(), tag.size());

    // The side name is used now: should the save fail half-way, the next one looks at it again.
    SetSideNameChecked(false);
    SideFile side(lock.Paths());
    const FileDescriptor& out = side.File();
    if (!out.Valid() || !out.WriteAt(0, tag.data(), tag.size()) ||
        !CopyRest(file, oldSize, out, static_cast<off_t>(tag.size())))
        return false;
    if (file.Status().st_nlink == 1 && CopyFileIdentity(file, out)) {
        // Locked before it has the name, the new file takes over the operation's lock, and what
        // was written of it need not be read back.
        const bool locked = KeepsSaveLock() && flock(out.Get(), LOCK_EX | LOCK_NB) == 0;
        if (!out.Sync() || !side.Publish(lock.Paths().target))
            return false;
        // The name leads to the new file now; the old one is let go of, lock and all.
        FileDescriptor written = side.TakePublished();
        if (locked) {
            written.KeepOwnWrite(file, oldSize, tag);
            ShareReplacement(std::move(written));
        } else {
            ForgetSharedFile();
        }
        return true;
    }
    const off_t size = static_cast<off_t>(tag.size()) + file.Size() - oldSize;
    return RewriteThroughJournal(file, side, size, lock.Paths());
}

bool WriteFileTail(const FileDescriptor& file, off_t offset, std::string_view bytes) {
    return file.WriteAt(offset, bytes.data(), bytes.size());
}

bool CutFileTail(const FileDescriptor& file, off_t size) {
    return file.Truncate(size);
}

} // namespace kivuna::tags
