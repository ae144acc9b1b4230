#include "FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

#include "SystemError.h"

namespace kivuna::tags {

namespace {

// True when the name exists and is a regular file (a directory or a FIFO is not); `link` tells
// whether the name is a symbolic link to it.
bool IsRegularFile(const char* name, bool& link) {
    struct stat st {};
    if (name == nullptr || *name == '\0' || lstat(name, &st) != 0)
        return false;
    link = S_ISLNK(st.st_mode);
    if (link && stat(name, &st) != 0)
        return false;
    if (!S_ISREG(st.st_mode))
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return S_ISREG(st.st_mode);
}

} // namespace

FileDescriptor::~FileDescriptor() {
    Close();
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), status_(other.status_), viaLink_(other.viaLink_) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        status_ = other.status_;
        viaLink_ = other.viaLink_;
    }
    return *this;
}

FileDescriptor FileDescriptor::OpenRegular(const char* name, int access,
                                           const std::function<bool(int)>& first) {
    bool link = false;
    if (!IsRegularFile(name, link))
        return {};
    // O_NONBLOCK: should the name turn into a FIFO between stat and open, the open must not wait
    // for a writer. It has no effect on regular files.
    FileDescriptor file(open(name, access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.Valid() || (first && !first(file.fd_)) || fstat(file.fd_, &file.status_) != 0 ||
        !S_ISREG(file.status_.st_mode))
        return {};
    file.viaLink_ = link;
    return file;
}

FileDescriptor FileDescriptor::OpenForWriting(const char* name,
                                              const std::function<bool(int)>& first) {
    FileDescriptor file = OpenRegular(name, O_RDWR, first);
    if (!file.Valid())
        KeepSystemError();
    if (file.Valid() && (file.status_.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        KeepSystemError(EACCES);
        return {};
    }
    return file;
}

FileDescriptor FileDescriptor::OpenForReading(const char* name) {
    return OpenRegular(name, O_RDONLY, {});
}

namespace {

// Moves all `size` bytes with pread or pwrite, going on after short transfers and interruptions.
template <typename Byte, typename Transfer>
bool TransferAll(Transfer transfer, int fd, off_t offset, Byte* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = transfer(fd, bytes, size, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        // A write that moves nothing found no room.
        if (n == 0)
            return errno = ENOSPC, false;
        bytes += n;
        offset += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool FileDescriptor::ReadAt(off_t offset, void* buffer, size_t size) const {
    return TransferAll(pread, fd_, offset, static_cast<char*>(buffer), size);
}

bool FileDescriptor::WriteAt(off_t offset, const void* buffer, size_t size) const {
    return TransferAll(pwrite, fd_, offset, static_cast<const char*>(buffer), size) ||
           KeepSystemError();
}

bool FileDescriptor::Refresh() {
    return fd_ >= 0 && fstat(fd_, &status_) == 0;
}

bool FileDescriptor::Sync() const {
    return fsync(fd_) == 0 || KeepSystemError();
}

bool FileDescriptor::Close() {
    if (fd_ < 0)
        return true;
    return close(std::exchange(fd_, -1)) == 0;
}

} // namespace kivuna::tags
