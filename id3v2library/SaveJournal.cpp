#include "SaveJournal.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

#include "RewriteMarker.h"
#include "SystemError.h"

namespace kivuna::tags {
namespace {

// Closes the journal: which inode it belongs to and how long the new content is, so a journal is
// only ever applied whole and to its own file.
struct JournalTrailer {
    char magic[8] = {'K', 'V', 'J', 'R', 'N', 'L', '0', '1'};
    uint64_t inode = 0;
    uint64_t length = 0;
};

constexpr auto kMarkerSize = static_cast<off_t>(kRewriteMarker.size());

bool CopyBytes(const FileDescriptor& from, const FileDescriptor& to, off_t begin, off_t end) {
    constexpr off_t kChunk = 1 << 20;
    std::vector<char> buffer(static_cast<size_t>(std::min(end - begin, kChunk)));
    for (off_t offset = begin; offset < end;) {
        const auto n = static_cast<size_t>(std::min(end - offset, kChunk));
        if (!from.ReadAt(offset, buffer.data(), n) || !to.WriteAt(offset, buffer.data(), n))
            return false;
        offset += static_cast<off_t>(n);
    }
    return true;
}

// Marks the file, copies the new content over it, its first bytes last, and removes the journal.
// Each step is on disk before the next begins, so a power cut is a kill too.
bool Apply(FileDescriptor& file, const FileDescriptor& journal, off_t size,
           const SidePaths& paths) {
    if (size < kMarkerSize || !file.WriteAt(0, kRewriteMarker.data(), kRewriteMarker.size()) ||
        !file.Sync() || !CopyBytes(journal, file, kMarkerSize, size) || !file.Truncate(size) ||
        !file.Sync() || !CopyBytes(journal, file, 0, kMarkerSize) || !file.Sync())
        return false;
    unlink(paths.side.c_str());
    return file.Refresh();
}

// The room a file growing to `size` needs, taken before the file is marked: a disk that fills up
// half-way through the copy would leave it marked until space is freed. Where the file system
// cannot reserve, its free space is asked instead.
bool ReserveRoom(const FileDescriptor& file, off_t size) {
    const off_t growth = size - file.Size();
    if (growth <= 0 || fallocate(file.Get(), FALLOC_FL_KEEP_SIZE, file.Size(), growth) == 0)
        return true;
    if (errno != EOPNOTSUPP)
        return KeepSystemError();
    struct statvfs space {};
    if (fstatvfs(file.Get(), &space) == 0 &&
        static_cast<unsigned long long>(space.f_bavail) * space.f_frsize <
            static_cast<unsigned long long>(growth))
        return KeepSystemError(ENOSPC);
    return true;
}

} // namespace

bool ShowsRewriteMarker(const FileDescriptor& file) {
    char start[kRewriteMarker.size()];
    return file.ReadAt(0, start, sizeof start) &&
           std::string_view(start, sizeof start) == kRewriteMarker;
}

bool RewriteThroughJournal(FileDescriptor& file, SideFile& content, off_t size,
                           const SidePaths& paths) {
    JournalTrailer trailer;
    trailer.inode = file.Status().st_ino;
    trailer.length = static_cast<uint64_t>(size);
    const FileDescriptor& journal = content.File();
    if (!ReserveRoom(file, size))
        return false;
    // Whoever may write the file may finish its rewrite: the journal shows the file's permissions.
    if (!journal.WriteAt(size, &trailer, sizeof trailer) ||
        !(fchmod(journal.Get(), file.Status().st_mode & 0666) == 0 || KeepSystemError()) ||
        !journal.Sync() || !content.Publish(paths.side))
        return false;
    SyncFolder(paths.folder);
    return Apply(file, journal, size, paths);
}

bool FinishInterruptedRewrite(FileDescriptor& file, const SidePaths& paths) {
    const FileDescriptor journal(open(paths.side.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!journal.Valid() && errno == ENOENT)
        return true;
    if (!ShowsRewriteMarker(file)) {
        unlink(paths.side.c_str());
        return true;
    }
    struct stat st {};
    JournalTrailer trailer;
    const JournalTrailer expected;
    if (!journal.Valid() || fstat(journal.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size < static_cast<off_t>(sizeof trailer) ||
        !journal.ReadAt(st.st_size - static_cast<off_t>(sizeof trailer), &trailer, sizeof trailer))
        return false;
    const bool whole = std::memcmp(trailer.magic, expected.magic, sizeof trailer.magic) == 0 &&
                       trailer.inode == file.Status().st_ino &&
                       trailer.length + sizeof trailer == static_cast<uint64_t>(st.st_size);
    return whole && Apply(file, journal, static_cast<off_t>(trailer.length), paths);
}

} // namespace kivuna::tags
