#include "FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

#include "SystemError.h"

namespace kivuna::tags {

bool FileDescriptor::StatusByName(const char* name, struct stat& status, bool& viaLink) {
    if (name == nullptr || *name == '\0' || lstat(name, &status) != 0)
        return false;
    viaLink = S_ISLNK(status.st_mode);
    if (viaLink && stat(name, &status) != 0)
        return false;
    if (!S_ISREG(status.st_mode))
        errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    return S_ISREG(status.st_mode);
}

FileDescriptor::~FileDescriptor() {
    Close();
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept {
    *this = std::move(other);
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        status_ = other.status_;
        viaLink_ = other.viaLink_;
        keepReads_ = other.keepReads_;
        head_ = std::move(other.head_);
        tail_ = std::move(other.tail_);
        keptStatus_ = other.keptStatus_;
        keptAt_ = other.keptAt_;
        statusCurrent_ = other.statusCurrent_;
        ownWrite_ = other.ownWrite_;
        saveLocked_ = other.saveLocked_;
        pending_ = other.pending_;
        pendingSize_ = other.pendingSize_;
        writtenBy_ = other.writtenBy_;
        other.saveLocked_ = false;
        other.DropKept();
    }
    return *this;
}

FileDescriptor FileDescriptor::OpenRegular(const char* name, int access,
                                           const std::function<bool(int)>& first, bool again) {
    bool link = false;
    struct stat byName {};
    if (!again && !StatusByName(name, byName, link))
        return {};
    // O_NONBLOCK: should the name turn into a FIFO between stat and open, the open must not wait
    // for a writer. It has no effect on regular files.
    FileDescriptor file(
        open(name, access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (again ? O_NOFOLLOW : 0)));
    // A name that has become a symbolic link since is looked at anew.
    if (again && !file.Valid() && errno == ELOOP)
        return OpenRegular(name, access, first, false);
    if (!file.Valid() || (first && !first(file.fd_)) || fstat(file.fd_, &file.status_) != 0 ||
        !S_ISREG(file.status_.st_mode))
        return {};
    file.viaLink_ = link;
    return file;
}

FileDescriptor FileDescriptor::OpenForWriting(const char* name,
                                              const std::function<bool(int)>& first, bool again) {
    FileDescriptor file = OpenRegular(name, O_RDWR, first, again);
    if (!file.Valid())
        KeepSystemError();
    if (file.Valid() && (file.status_.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        KeepSystemError(EACCES);
        return {};
    }
    return file;
}

FileDescriptor FileDescriptor::OpenForReading(const char* name) {
    return OpenRegular(name, O_RDONLY, {}, false);
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

// Reads up to `size` bytes, fewer only at the end of the file; the count, or -1.
ssize_t ReadUpTo(int fd, off_t offset, char* bytes, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = pread(fd, bytes + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

// The start of a file read at once: the tag and the first audio frames of most MP3s. A longer
// front (a tag with large pictures) is read as far as it is asked for, up to the limit.
constexpr off_t kHeadWindow = 64 * 1024;
constexpr off_t kHeadLimit = 4 * 1024 * 1024;
// The end read at once: the ID3v1 record and what lies before it.
constexpr off_t kTailWindow = 4 * 1024;

bool EqualTimes(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Every write changes a file's change time, so the same size and times mean the same bytes.
bool SameState(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           EqualTimes(a.st_mtim, b.st_mtim) && EqualTimes(a.st_ctim, b.st_ctim);
}

// File times come from a clock that moves in steps (a few milliseconds; whole seconds where the
// file system keeps no fractions, two on FAT): a second change within the step of the one before
// leaves the times as they were. Bytes read that soon after a change prove nothing later on.
bool ReadTooSoonAfterChange(const struct stat& status, const timespec& readAt) {
    const timespec& changed = status.st_ctim.tv_sec > status.st_mtim.tv_sec ||
                                      (status.st_ctim.tv_sec == status.st_mtim.tv_sec &&
                                       status.st_ctim.tv_nsec >= status.st_mtim.tv_nsec)
                                  ? status.st_ctim
                                  : status.st_mtim;
    const bool fractions = status.st_ctim.tv_nsec != 0 || status.st_mtim.tv_nsec != 0;
    const long long margin = fractions ? 100'000'000LL : 3'000'000'000LL;
    const long long since =
        (static_cast<long long>(readAt.tv_sec) - changed.tv_sec) * 1'000'000'000LL +
        (readAt.tv_nsec - changed.tv_nsec);
    return since < margin;
}

} // namespace

bool FileDescriptor::ReadAt(off_t offset, void* buffer, size_t size) const {
    if (keepReads_ && size > 0 && offset >= 0) {
        if (head_.bytes.empty() && tail_.bytes.empty() && statusCurrent_) {
            keptStatus_ = status_;
            clock_gettime(CLOCK_REALTIME, &keptAt_);
        }
        const off_t end = offset + static_cast<off_t>(size);
        const off_t headEnd = static_cast<off_t>(head_.bytes.size());
        if (!head_.Covers(offset, size) && !tail_.Covers(offset, size) && statusCurrent_ &&
            end <= kHeadLimit) {
            // The front, read on from where the kept part ends (the gap too, in the same read), and
            // no further than the end; a request past the end is left to the plain read below.
            const off_t want = std::min(std::max(end, kHeadWindow), status_.st_size);
            if (want > headEnd) {
                head_.bytes.resize(static_cast<size_t>(want));
                const ssize_t got = ReadUpTo(fd_, headEnd, head_.bytes.data() + headEnd,
                                             static_cast<size_t>(want - headEnd));
                head_.bytes.resize(got < 0 ? static_cast<size_t>(headEnd)
                                           : static_cast<size_t>(headEnd + got));
            }
        } else if (!head_.Covers(offset, size) && !tail_.Covers(offset, size) && statusCurrent_ &&
                   end == status_.st_size && static_cast<off_t>(size) <= kTailWindow &&
                   tail_.bytes.empty()) {
            const off_t from = std::max<off_t>(0, end - kTailWindow);
            std::string bytes(static_cast<size_t>(end - from), '\0');
            if (ReadUpTo(fd_, from, bytes.data(), bytes.size()) ==
                static_cast<ssize_t>(bytes.size()))
                tail_ = {from, std::move(bytes)};
        }
        for (const Kept* kept : {&head_, &tail_}) {
            if (kept->Covers(offset, size)) {
                std::memcpy(buffer, kept->bytes.data() + (offset - kept->offset), size);
                return true;
            }
        }
    }
    return TransferAll(pread, fd_, offset, static_cast<char*>(buffer), size);
}

bool FileDescriptor::WriteAt(off_t offset, const void* buffer, size_t size) const {
    const off_t before = SizeBeforeWrite();
    statusCurrent_ = false;
    if (!TransferAll(pwrite, fd_, offset, static_cast<const char*>(buffer), size)) {
        DropKept();
        return KeepSystemError();
    }
    KeepWritten(offset, static_cast<const char*>(buffer), size,
                std::max(before, offset + static_cast<off_t>(size)));
    return true;
}

bool FileDescriptor::Truncate(off_t size) const {
    SizeBeforeWrite();
    statusCurrent_ = false;
    if (ftruncate(fd_, size) != 0) {
        DropKept();
        return KeepSystemError();
    }
    if (static_cast<off_t>(head_.bytes.size()) > size)
        head_.bytes.resize(static_cast<size_t>(size));
    if (tail_.offset >= size)
        tail_ = {};
    else if (tail_.offset + static_cast<off_t>(tail_.bytes.size()) > size)
        tail_.bytes.resize(static_cast<size_t>(size - tail_.offset));
    KeepWritten(size, nullptr, 0, size);
    return true;
}

off_t FileDescriptor::SizeBeforeWrite() const {
    if (!saveLocked_ || (!statusCurrent_ && !pending_))
        DropKept();
    return pending_ ? pendingSize_ : status_.st_size;
}

void FileDescriptor::KeepWritten(off_t offset, const char* bytes, size_t size,
                                 off_t fileSize) const {
    if (!saveLocked_)
        return DropKept();
    const off_t end = offset + static_cast<off_t>(size);
    // The front grows by a write that begins in it or right after it.
    const auto headEnd = static_cast<off_t>(head_.bytes.size());
    if (!head_.bytes.empty() && offset <= headEnd) {
        const off_t newEnd = std::min(std::max(headEnd, end), std::max(headEnd, kHeadLimit));
        head_.bytes.resize(static_cast<size_t>(newEnd));
        if (size > 0 && offset < newEnd)
            std::memcpy(head_.bytes.data() + offset, bytes,
                        static_cast<size_t>(std::min(end, newEnd) - offset));
    }
    // The end likewise; a write that begins before it and reaches into it ends it.
    if (!tail_.bytes.empty() && end > tail_.offset) {
        const off_t tailEnd = tail_.offset + static_cast<off_t>(tail_.bytes.size());
        if (offset < tail_.offset) {
            tail_ = {};
        } else if (offset <= tailEnd) {
            tail_.bytes.resize(static_cast<size_t>(std::max(tailEnd, end) - tail_.offset));
            if (size > 0)
                std::memcpy(tail_.bytes.data() + (offset - tail_.offset), bytes, size);
        }
    }
    pending_ = true;
    pendingSize_ = fileSize;
    clock_gettime(CLOCK_REALTIME, &writtenBy_);
}

bool FileDescriptor::Refresh() {
    if (fd_ < 0 || fstat(fd_, &status_) != 0)
        return false;
    Adopt(status_);
    return true;
}

void FileDescriptor::Adopt(const struct stat& status) {
    status_ = status;
    if (pending_ ? !WrittenByUs(status) : !StillKept(status))
        DropKept();
    pending_ = false;
    statusCurrent_ = true;
}

// After this library's writes under the save lock, the file must show the size they left and no
// change later than the moment the last of them returned: file times never run ahead of the clock,
// so another program's later change would show a later time. One within the same step of the
// clock stays unseen, as it would right after any read of the status.
bool FileDescriptor::WrittenByUs(const struct stat& status) const {
    const auto notLater = [&](const timespec& time) {
        return time.tv_sec < writtenBy_.tv_sec ||
               (time.tv_sec == writtenBy_.tv_sec && time.tv_nsec <= writtenBy_.tv_nsec);
    };
    if (!saveLocked_ || status.st_dev != keptStatus_.st_dev ||
        status.st_ino != keptStatus_.st_ino || status.st_size != pendingSize_ ||
        !notLater(status.st_mtim) || !notLater(status.st_ctim))
        return false;
    keptStatus_ = status;
    keptAt_ = writtenBy_;
    ownWrite_ = true;
    return true;
}

// Bytes this library wrote itself need no wait: under the save lock no other save can have
// changed the file since, within the clock's step or not.
bool FileDescriptor::StillKept(const struct stat& status) const {
    return SameState(keptStatus_, status) &&
           (ownWrite_ || !ReadTooSoonAfterChange(keptStatus_, keptAt_));
}

void FileDescriptor::KeepOwnWrite(const FileDescriptor& old, off_t oldFront,
                                  std::string_view front) {
    DropKept();
    keepReads_ = true;
    viaLink_ = old.viaLink_;
    const off_t size = static_cast<off_t>(front.size()) + old.Size() - oldFront;
    head_.bytes.assign(front);
    if (old.head_.offset == 0 && static_cast<off_t>(old.head_.bytes.size()) > oldFront)
        head_.bytes.append(old.head_.bytes, static_cast<size_t>(oldFront));
    if (!old.tail_.bytes.empty() && old.tail_.offset >= oldFront)
        tail_ = {old.tail_.offset + size - old.Size(), old.tail_.bytes};
    if (static_cast<off_t>(head_.bytes.size()) > size)
        DropKept();
    // Checked against the status the next call reads, as after any write (WrittenByUs); the
    // file's device and inode are known from when it was made.
    keptStatus_ = status_;
    statusCurrent_ = false;
    pending_ = true;
    pendingSize_ = size;
    clock_gettime(CLOCK_REALTIME, &writtenBy_);
}

void FileDescriptor::TakeReadsFrom(FileDescriptor& other) {
    if ((other.head_.bytes.empty() && other.tail_.bytes.empty()) || !other.StillKept(status_))
        return;
    head_ = std::move(other.head_);
    tail_ = std::move(other.tail_);
    keptStatus_ = other.keptStatus_;
    keptAt_ = other.keptAt_;
    other.DropKept();
}

void FileDescriptor::DropKept() const {
    head_ = {};
    tail_ = {};
    ownWrite_ = false;
    pending_ = false;
}

void FileDescriptor::SetSaveLocked(bool locked) {
    saveLocked_ = locked;
    if (locked)
        return;
    ownWrite_ = false;
    if (pending_)
        DropKept();
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
