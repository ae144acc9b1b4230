#pragma once

// A POSIX file descriptor owned for the life of the object, with the few positioned reads and
// writes the tag placement needs. Only regular files are ever opened.
#include <cstddef>
#include <functional>
#include <string>
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
    // answer fails the open.
    static FileDescriptor OpenForWriting(const char* name,
                                         const std::function<bool(int)>& first = {});
    // Opens a regular file for reading.
    static FileDescriptor OpenForReading(const char* name);

    bool Valid() const { return fd_ >= 0; }
    int Get() const { return fd_; }
    const struct stat& Status() const { return status_; }
    off_t Size() const { return status_.st_size; }
    // True when the name it was opened by is a symbolic link.
    bool ViaLink() const { return viaLink_; }

    bool ReadAt(off_t offset, void* buffer, size_t size) const;
    bool WriteAt(off_t offset, const void* buffer, size_t size) const;
    // Reads the file's status again (after waiting for a lock, another save may have changed it).
    bool Refresh();
    // Flushes to disk and answers whether everything written so far is there.
    bool Sync() const;
    bool Close();

  private:
    static FileDescriptor OpenRegular(const char* name, int access,
                                      const std::function<bool(int)>& first);

    int fd_ = -1;
    struct stat status_ {};
    bool viaLink_ = false;
};

} // namespace kivuna::tags
