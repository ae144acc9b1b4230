#include "TagPlacement.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace kivuna::tags {
namespace {

// A temporary file beside the original, removed unless it was renamed into place.
class TempFile {
  public:
    explicit TempFile(const std::string& target) : path_(TemplateFor(target)) {
        fd_ = FileDescriptor(mkostemp(path_.data(), O_CLOEXEC));
    }
    ~TempFile() {
        fd_.Close();
        if (!renamed_)
            unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const FileDescriptor& File() const { return fd_; }
    bool CloseAndRename(const std::string& target) {
        renamed_ = fd_.Close() && rename(path_.c_str(), target.c_str()) == 0;
        return renamed_;
    }

  private:
    static std::string TemplateFor(const std::string& target) {
        const size_t slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
        const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
        return folder + "/." + base + ".kivuna-XXXXXX";
    }

    std::string path_;
    FileDescriptor fd_;
    bool renamed_ = false;
};

// The real path, so a symbolic link keeps pointing at the rewritten file.
std::string ResolvedPath(const char* name) {
    std::unique_ptr<char, decltype(&free)> resolved(realpath(name, nullptr), &free);
    return resolved ? std::string(resolved.get()) : std::string();
}

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

bool ReplaceFileFront(const FileDescriptor& file, const char* name, off_t oldSize,
                      std::string_view tag) {
    if (static_cast<off_t>(tag.size()) == oldSize)
        return file.WriteAt(0, tag.data(), tag.size());

    const std::string target = ResolvedPath(name);
    if (target.empty())
        return false;
    TempFile temp(target);
    const FileDescriptor& out = temp.File();
    if (!out.Valid() || !out.WriteAt(0, tag.data(), tag.size()) ||
        !CopyRest(file, oldSize, out, static_cast<off_t>(tag.size())))
        return false;
    const struct stat& original = file.Status();
    // Ownership may only be kept by a privileged user; the permissions always are.
    [[maybe_unused]] const int owned = fchown(out.Get(), original.st_uid, original.st_gid);
    if (fchmod(out.Get(), original.st_mode & 07777) != 0 || !out.Sync())
        return false;
    return temp.CloseAndRename(target);
}

bool WriteFileTail(const FileDescriptor& file, off_t offset, std::string_view bytes) {
    return file.WriteAt(offset, bytes.data(), bytes.size());
}

bool CutFileTail(const FileDescriptor& file, off_t size) {
    return ftruncate(file.Get(), size) == 0;
}

} // namespace kivuna::tags
