#include "FileIdentity.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace kivuna::tags {
namespace {

// The attribute names of the file; nothing where the file system keeps none.
bool AttributeNames(int fd, std::vector<std::string>& names) {
    names.clear();
    std::vector<char> list;
    for (;;) {
        const ssize_t size = flistxattr(fd, nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP;
        // Most files carry no attribute at all: nothing to ask for.
        if (size == 0)
            return true;
        list.resize(static_cast<size_t>(size));
        const ssize_t got = flistxattr(fd, list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<size_t>(got));
            break;
        }
        if (errno != ERANGE)
            return false;
    }
    for (size_t pos = 0; pos < list.size();) {
        const std::string name(list.data() + pos);
        pos += name.size() + 1;
        if (!name.empty())
            names.push_back(name);
    }
    return true;
}

bool CopyAttribute(int from, int to, const std::string& name) {
    std::vector<char> value;
    for (;;) {
        const ssize_t size = fgetxattr(from, name.c_str(), nullptr, 0);
        if (size < 0)
            return false;
        value.resize(static_cast<size_t>(size));
        const ssize_t got = fgetxattr(from, name.c_str(), value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<size_t>(got));
            break;
        }
        if (errno != ERANGE)
            return false;
    }
    return fsetxattr(to, name.c_str(), value.data(), value.size(), 0) == 0;
}

bool CopyAttributes(int from, int to) {
    std::vector<std::string> wanted;
    std::vector<std::string> present;
    if (!AttributeNames(from, wanted) || !AttributeNames(to, present))
        return false;
    for (const std::string& name : present) {
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() &&
            fremovexattr(to, name.c_str()) != 0)
            return false;
    }
    return std::all_of(wanted.begin(), wanted.end(),
                       [&](const std::string& name) { return CopyAttribute(from, to, name); });
}

} // namespace

bool CopyFileIdentity(const FileDescriptor& from, const FileDescriptor& to) {
    const struct stat& want = from.Status();
    const struct stat& have = to.Status();
    if ((want.st_uid != have.st_uid || want.st_gid != have.st_gid) &&
        fchown(to.Get(), want.st_uid, want.st_gid) != 0)
        return false;
    // The mode last: a change of owner clears set-ID bits, and it sets the ACL mask to the group
    // bits the original shows.
    return CopyAttributes(from.Get(), to.Get()) && fchmod(to.Get(), want.st_mode & 07777) == 0;
}

} // namespace kivuna::tags
