#include "SaveJournal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kivuna::tags {
namespace {

// Closes the journal: which inode it belongs to and how long the new content is, so a journal is
// only ever applied whole and to its own file.
struct JournalTrailer {
    char magic[8] = {'K', 'V', 'J', 'R', 'N', 'L', '0', '1'};
    uint64_t inode = 0;
    uint64_t length = 0;
};

bool CopyBytes(const FileDescriptor& from, const FileDescriptor& to, off_t size) {
    constexpr off_t kChunk = 1 << 20;
    std::vector<char> buffer(static_cast<size_t>(std::min(size, kChunk)));
    for (off_t offset = 0; offset < size;) {
        const auto n = static_cast<size_t>(std::min(size - offset, kChunk));
        if (!from.ReadAt(offset, buffer.data(), n) || !to.WriteAt(offset, buffer.data(), n))
            return false;
        offset += static_cast<off_t>(n);
    }
    return true;
}

// Copies the new content over the file, cuts it to length and removes the journal.
bool Apply(FileDescriptor& file, const FileDescriptor& journal, off_t size,
           const SidePaths& paths) {
    if (!CopyBytes(journal, file, size) || ftruncate(file.Get(), size) != 0 || !file.Sync())
        return false;
    unlink(paths.journal.c_str());
    return file.Refresh();
}

} // namespace

bool RewriteThroughJournal(FileDescriptor& file, SideFile& content, off_t size,
                           const SidePaths& paths) {
    JournalTrailer trailer;
    trailer.inode = file.Status().st_ino;
    trailer.length = static_cast<uint64_t>(size);
    const FileDescriptor& journal = content.File();
    // Whoever may write the file may finish its rewrite: the journal shows the file's permissions.
    if (!journal.WriteAt(size, &trailer, sizeof trailer) ||
        fchmod(journal.Get(), file.Status().st_mode & 0666) != 0 || !journal.Sync() ||
        !content.Publish(paths.journal))
        return false;
    SyncFolder(paths.folder);
    return Apply(file, journal, size, paths);
}

bool FinishInterruptedRewrite(FileDescriptor& file, const SidePaths& paths) {
    const FileDescriptor journal(open(paths.journal.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!journal.Valid())
        return true;
    struct stat st {};
    JournalTrailer trailer;
    const JournalTrailer expected;
    if (fstat(journal.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size < static_cast<off_t>(sizeof trailer) ||
        !journal.ReadAt(st.st_size - static_cast<off_t>(sizeof trailer), &trailer, sizeof trailer))
        return false;
    const bool ours = std::memcmp(trailer.magic, expected.magic, sizeof trailer.magic) == 0 &&
                      trailer.inode == file.Status().st_ino &&
                      trailer.length + sizeof trailer == static_cast<uint64_t>(st.st_size);
    // Anything else under that name was not written by a save of this file: it is left alone.
    return !ours || Apply(file, journal, static_cast<off_t>(trailer.length), paths);
}

bool RewritePending(const char* name) {
    struct stat status {};
    const SidePaths paths = SidePathsFor(name, status);
    return !paths.journal.empty() && access(paths.journal.c_str(), F_OK) == 0;
}

} // namespace kivuna::tags
