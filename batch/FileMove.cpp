#include "FileMove.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace batch {
namespace {

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

QString SystemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes a descriptor when the scope ends.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};

void SyncFolderOf(const QString& path) {
    const Descriptor folder(
        ::open(Native(QFileInfo(path).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
}

// rename() that fails instead of replacing an existing target. File systems that cannot promise
// that (some network and FUSE ones) get a check just before the rename.
int RenameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    struct stat target;
    if (::lstat(to.constData(), &target) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

bool WriteAll(int fd, const char* bytes, ssize_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= n;
    }
    return true;
}

// Writes the source's bytes, permissions and times into `copy`, synced; answers 0 or errno.
int CopyInto(int source, const struct stat& status, int copy) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(source, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        if (!WriteAll(copy, buffer.data(), n))
            return errno ? errno : EIO;
    }
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    ::fchmod(copy, status.st_mode & 07777);
    ::futimens(copy, times);
    return ::fsync(copy) == 0 ? 0 : errno;
}

// A name for a partial copy beside `target`: short, whatever the target's length, and this
// process's own.
QByteArray PartialCopyNameIn(const QString& folder) {
    static std::atomic<unsigned> sequence{0};
    return Native(QDir(folder).filePath(QStringLiteral("%1%2-%3%4")
                                            .arg(QLatin1String(kPartialCopyPrefix))
                                            .arg(::getpid())
                                            .arg(sequence++)
                                            .arg(QLatin1String(kPartialCopySuffix))));
}

// Copies `from` to `to`, which must not exist, so that `to` appears only whole. Where the file
// system allows, the copy is written unnamed and named `to` when complete: a kill leaves nothing
// behind. Elsewhere (FAT, exFAT, network shares) it is written under a short name of this
// process, locked while it is written, so that a later run removes it only once its writer is
// dead. Answers 0 or errno.
int CopyToNewName(const QByteArray& from, const QString& to) {
    const Descriptor source(::open(from.constData(), O_RDONLY | O_CLOEXEC));
    struct stat status;
    if (source.Get() < 0 || ::fstat(source.Get(), &status) != 0)
        return errno;
    const QString folder = QFileInfo(to).path();
    const QByteArray target = Native(to);
    const Descriptor unnamed(::open(Native(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC,
                                    status.st_mode & 07777));
    if (unnamed.Get() >= 0) {
        const int error = CopyInto(source.Get(), status, unnamed.Get());
        if (error != 0)
            return error;
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(unnamed.Get());
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) ==
            0)
            return 0;
        // Without /proc the unnamed copy cannot be named: it is written again under a name.
        if (errno == EEXIST || ::lseek(source.Get(), 0, SEEK_SET) != 0)
            return errno;
    }
    const QByteArray part = PartialCopyNameIn(folder);
    const Descriptor copy(
        ::open(part.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, status.st_mode & 07777));
    if (copy.Get() < 0)
        return errno;
    ::flock(copy.Get(), LOCK_EX);
    int error = CopyInto(source.Get(), status, copy.Get());
    if (error == 0)
        error = RenameNoReplace(part, target);
    if (error != 0)
        ::unlink(part.constData());
    return error;
}

} // namespace

bool SameFile(const QString& a, const QString& b) {
    struct stat first, second;
    return ::stat(Native(a).constData(), &first) == 0 &&
           ::stat(Native(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

QStringList MissingFolders(const QString& path) {
    QStringList missing;
    for (QString folder = QFileInfo(path).path(); !QFileInfo::exists(folder);
         folder = QFileInfo(folder).path()) {
        missing.prepend(folder);
        if (QFileInfo(folder).path() == folder)
            break;
    }
    return missing;
}

void RemoveDeadPartialCopies(const QString& folder) {
    const QStringList names = QDir(folder).entryList(
        {QLatin1String(kPartialCopyPrefix) + u'*' + QLatin1String(kPartialCopySuffix)},
        QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QByteArray path = Native(QDir(folder).filePath(name));
        const Descriptor part(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        // Its writer holds the lock while it lives.
        if (part.Get() >= 0 && ::flock(part.Get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
    }
}

QString MakeFolders(const QStringList& folders) {
    for (const QString& folder : folders) {
        if (::mkdir(Native(folder).constData(), 0777) != 0 && errno != EEXIST)
            return QStringLiteral("Cannot create the folder %1: %2")
                .arg(folder, SystemError(errno));
    }
    return {};
}

QString MoveFile(const QString& from, const QString& to, MoveMode mode) {
    const QByteArray source = Native(from);
    const QByteArray target = Native(to);
    struct stat status {};
    const bool link = ::lstat(source.constData(), &status) == 0 && S_ISLNK(status.st_mode);
    if (mode == MoveMode::Move) {
        // A rename is whole or not at all; one lost in a power cut leaves the file where it was,
        // which its undo passes over.
        const int error = RenameNoReplace(source, target);
        if (error == 0)
            return {};
        if (error == EEXIST || error == ENOTEMPTY)
            return QStringLiteral("%1 exists already").arg(to);
        if (error != EXDEV)
            return SystemError(error);
    }
    // A copy of a link would be a copy of what it points to, somewhere else: a link is only
    // ever renamed, as the link it is.
    if (link)
        return QStringLiteral("%1 is a symbolic link: it is moved only within its file system, "
                              "never copied")
            .arg(from);
    // Across file systems, or a copy: the target appears only once it is whole.
    const int error = CopyToNewName(source, to);
    if (error != 0)
        return error == EEXIST ? QStringLiteral("%1 exists already").arg(to) : SystemError(error);
    // The copy's name is on disk before the source goes, or a power cut could lose both.
    SyncFolderOf(to);
    if (mode == MoveMode::Move && ::unlink(source.constData()) != 0) {
        // The source stays: the copy goes, so the file is in one place only.
        const int removal = errno;
        ::unlink(target.constData());
        return QStringLiteral("Cannot remove %1: %2").arg(from, SystemError(removal));
    }
    if (mode == MoveMode::Move)
        SyncFolderOf(from);
    return {};
}

void RemoveFoldersLeftEmpty(const QStringList& folders) {
    // Deepest first, one depth at a time: a folder goes after its subfolders.
    std::map<qsizetype, QStringList, std::greater<>> byDepth;
    for (const QString& folder : QSet<QString>(folders.begin(), folders.end()))
        byDepth[folder.count(QLatin1Char('/'))] << folder;
    constexpr int kRemovers = 8;
    for (const auto& [depth, level] : byDepth) {
        std::vector<std::thread> removers;
        for (int t = 0; t < kRemovers && t < level.size(); ++t) {
            removers.emplace_back([&level, t] {
                for (qsizetype i = t; i < level.size(); i += kRemovers)
                    ::rmdir(Native(level[i]).constData());
            });
        }
        for (std::thread& remover : removers)
            remover.join();
    }
}

void RemoveEmptyFolders(const QStringList& outermostFirst) {
    for (auto it = outermostFirst.crbegin(); it != outermostFirst.crend(); ++it)
        ::rmdir(Native(*it).constData());
}

} // namespace batch
