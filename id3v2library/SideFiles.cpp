#include "SideFiles.h"
#include "SystemError.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kivuna::tags {
namespace {

std::string ResolvedPath(const char* name) {
    std::unique_ptr<char, decltype(&free)> resolved(realpath(name, nullptr), &free);
    return resolved ? std::string(resolved.get()) : std::string();
}

std::string SideName(const std::string& folder, ino_t inode) {
    char name[32];
    std::snprintf(name, sizeof name, "/.kivuna-%llx", static_cast<unsigned long long>(inode));
    return folder + name;
}

// Links an unnamed file in at `path` (which must not exist).
bool LinkUnnamed(int fd, const std::string& path) {
    if (linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0)
        return true;
    // Without CAP_DAC_READ_SEARCH the descriptor is linked through its /proc entry.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

} // namespace

SidePaths SidePathsFor(const char* name, const FileDescriptor& file) {
    SidePaths paths;
    // Only a link needs resolving; the folder of a plain name is the file's folder.
    paths.target = file.ViaLink() ? ResolvedPath(name) : std::string(name);
    if (paths.target.empty())
        return paths;
    const size_t slash = paths.target.rfind('/');
    paths.folder = slash == std::string::npos ? "." : paths.target.substr(0, slash);
    if (paths.folder.empty())
        paths.folder = "/";
    paths.side = SideName(paths.folder, file.Status().st_ino);
    return paths;
}

SideFile::SideFile(const SidePaths& paths) : paths_(paths) {
    fd_ = FileDescriptor(open(paths.folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (!fd_.Valid()) {
        fd_ = FileDescriptor(
            open(paths.side.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0600));
        named_ = fd_.Valid();
        if (!named_)
            KeepSystemError();
    }
    fd_.Refresh();
}

SideFile::~SideFile() {
    fd_.Close();
    if (named_ && !published_)
        unlink(paths_.side.c_str());
}

bool SideFile::Publish(const std::string& name) {
    // An unnamed file gets the side name first: a link cannot replace a name, a rename can.
    if (!named_) {
        named_ = LinkUnnamed(fd_.Get(), paths_.side);
        if (!named_)
            return KeepSystemError();
    }
    published_ = name == paths_.side || rename(paths_.side.c_str(), name.c_str()) == 0;
    return published_ || KeepSystemError();
}

FileDescriptor SideFile::TakePublished() {
    return published_ ? std::move(fd_) : FileDescriptor();
}

void SyncFolder(const std::string& folder) {
    const FileDescriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid())
        dir.Sync();
}

} // namespace kivuna::tags
