#pragma once

// A POSIX file descriptor owned for the life of the object, with the few positioned reads and
// writes the tag placement needs. Only regular files are ever opened.
#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace kivuna::tags {

class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    // Opens a regular file for reading and writing. Fails (invalid object) for anything that is
    // not a regular file, and for a file that nobody may write: even a superuser leaves a file
    // alone whose mode has no write bit. `first`, when given, runs on the descriptor before the
    // file's status is read (taking a lock, so the status is the one under the lock); its false
    // answer fails the open. `again`: the name is open for reading already, and a call has just
    // read its status, a regular file and no symbolic link; it is opened without reading that
    // again first, and not through a link it may have become since (that is looked at anew).
    static FileDescriptor OpenForWriting(const char* name,
                                         const std::function<bool(int)>& first = {},
                                         bool again = false);
    // Opens a regular file for reading.
    static FileDescriptor OpenForReading(const char* name);
    // The status of what `name` leads to, a symbolic link followed; true for a regular file (a
    // directory or a FIFO is not). `viaLink` tells whether the name is a symbolic link.
    static bool StatusByName(const char* name, struct stat& status, bool& viaLink);

    bool Valid() const { return fd_ >= 0; }
    int Get() const { return fd_; }
    const struct stat& Status() const { return status_; }
    off_t Size() const { return status_.st_size; }
    // True when the name it was opened by is a symbolic link.
    bool ViaLink() const { return viaLink_; }

    bool ReadAt(off_t offset, void* buffer, size_t size) const;
    bool WriteAt(off_t offset, const void* buffer, size_t size) const;
    // Cuts the file to `size` bytes.
    bool Truncate(off_t size) const;
    // Reads the file's status again (after waiting for a lock, another save may have changed it).
    bool Refresh();

    // Keeps the bytes read near the file's start and end, so the several reads of one operation,
    // and of the next operations on the same file, cost one read of the file each. Bytes written
    // under the save lock go into them as written (SetSaveLocked); other writes drop them.
    void KeepReads() { keepReads_ = true; }
    // Takes `status`, read by the file's name, as the file's status. The kept bytes stay only when
    // it shows the file as it was when they were read, and it was then no longer changing; or,
    // after writes under the save lock, as those writes left it.
    void Adopt(const struct stat& status);
    // Takes over the bytes `other` kept, when both are the same file in the same state.
    void TakeReadsFrom(FileDescriptor& other);
    // This file was just written whole by a save and put in place of `old` under its name: `front`
    // in place of old's first `oldFront` bytes, then the rest of old. Keeps what old kept, moved,
    // as bytes written under the save lock (SetSaveLocked); whether the name is a link is old's
    // answer.
    void KeepOwnWrite(const FileDescriptor& old, off_t oldFront, std::string_view front);
    // Whether a save lock is held on the file. While it is, what this library writes is kept as it
    // writes it; let go of, the bytes are kept on the usual terms only.
    void SetSaveLocked(bool locked);
    // Flushes to disk and answers whether everything written so far is there.
    bool Sync() const;
    bool Close();

  private:
    static FileDescriptor OpenRegular(const char* name, int access,
                                      const std::function<bool(int)>& first, bool again);

    // Bytes of the file from `offset`.
    struct Kept {
        off_t offset = 0;
        std::string bytes;
        bool Covers(off_t from, size_t size) const {
            return !bytes.empty() && from >= offset &&
                   from + static_cast<off_t>(size) <= offset + static_cast<off_t>(bytes.size());
        }
    };
    bool StillKept(const struct stat& status) const;
    bool WrittenByUs(const struct stat& status) const;
    void DropKept() const;
    // The size the file had before a write, as known; drops what is kept unless writes can keep it.
    off_t SizeBeforeWrite() const;
    // Puts bytes just written into what is kept, for a file now `fileSize` bytes long.
    void KeepWritten(off_t offset, const char* bytes, size_t size, off_t fileSize) const;

    int fd_ = -1;
    struct stat status_ {};
    bool viaLink_ = false;
    bool keepReads_ = false;
    // The file's start and end as last read, the status they were read under, and when.
    mutable Kept head_;
    mutable Kept tail_;
    mutable struct stat keptStatus_ {};
    mutable timespec keptAt_{};
    // False from a write until the status is read again: Size() may be out of date.
    mutable bool statusCurrent_ = true;
    // The kept bytes are what this library wrote, under a save lock still held.
    mutable bool ownWrite_ = false;
    bool saveLocked_ = false;
    // Written since the status was last read: the size left and when the last write returned.
    mutable bool pending_ = false;
    mutable off_t pendingSize_ = 0;
    mutable timespec writtenBy_{};
};

} // namespace kivuna::tags
