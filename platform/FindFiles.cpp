#include "FindFiles.h"

#include "AnsiText.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr uint32_t kHiddenBits = faHidden | faSysFile | faVolumeId | faDirectory;

bool WritableByUser(const struct stat& info) {
    // Asked once: a walk asks of every entry, and the program never changes its user.
    static const uid_t user = geteuid();
    static const gid_t group = getegid();
    if (user == 0)
        return true;
    if (info.st_uid == user)
        return (info.st_mode & S_IWUSR) != 0;
    if (info.st_gid == group)
        return (info.st_mode & S_IWGRP) != 0;
    return (info.st_mode & S_IWOTH) != 0;
}

// Fills the attribute bits and the identity of one entry; false when it vanished meanwhile.
bool Describe(int folder, const char* name, TSearchRec& record) {
    struct stat info {};
    if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    uint32_t attr = 0;
    if (S_ISLNK(info.st_mode)) {
        attr |= faSymLink;
        // A link takes the kind of its target; a dangling link stays a plain link.
        struct stat target {};
        if (fstatat(folder, name, &target, 0) == 0)
            info = target;
    }
    if (S_ISDIR(info.st_mode))
        attr |= faDirectory;
    else if (S_ISREG(info.st_mode))
        attr |= faArchive;
    else if (!S_ISLNK(info.st_mode))
        attr |= faSpecial;
    if (name[0] == '.')
        attr |= faHidden;
    if (!WritableByUser(info))
        attr |= faReadOnly;
    record.Attr = attr;
    record.Device = info.st_dev;
    record.Inode = info.st_ino;
    return true;
}

bool MatchesFrom(const QString& name, qsizetype n, const QString& mask, qsizetype m) {
    while (m < mask.size()) {
        const QChar p = mask[m];
        if (p == u'*') {
            while (m < mask.size() && mask[m] == u'*')
                ++m;
            if (m == mask.size())
                return true;
            for (qsizetype k = n; k <= name.size(); ++k) {
                if (MatchesFrom(name, k, mask, m))
                    return true;
            }
            return false;
        }
        if (n == name.size())
            return false;
        if (p != u'?' && p.toCaseFolded() != name[n].toCaseFolded())
            return false;
        ++n;
        ++m;
    }
    return n == name.size();
}

} // namespace

int FindFirst(const QByteArray& path, uint32_t attributes, TSearchRec& record) {
    FindClose(record);
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : path.left(slash + 1);
    const QByteArray pattern = path.mid(slash + 1);
    record.NamePattern = pattern == "*.*" ? QStringLiteral("*") : FromAnsi(pattern.constData());
    record.ExcludeMask = kHiddenBits & ~attributes;
    record.Handle.reset(opendir(folder.constData()));
    if (!record.Handle)
        return errno != 0 ? errno : ENOENT;
    return FindNext(record);
}

int FindNext(TSearchRec& record) {
    if (!record.Handle)
        return kNoMoreFiles;
    const bool everything = record.NamePattern == u"*";
    while (const dirent* entry = readdir(record.Handle.get())) {
        if (!Describe(dirfd(record.Handle.get()), entry->d_name, record))
            continue;
        if ((record.Attr & record.ExcludeMask) != 0)
            continue;
        record.Name = FromAnsi(entry->d_name);
        if (everything || MatchesMask(record.Name, record.NamePattern))
            return 0;
    }
    return kNoMoreFiles;
}

void FindClose(TSearchRec& record) {
    record.Handle.reset();
}

bool MatchesMask(const QString& name, const QString& mask) {
    return MatchesFrom(name, 0, mask, 0);
}

} // namespace platform
