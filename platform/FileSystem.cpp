#include "FileSystem.h"

#include "AnsiText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool Status(const QString& path, struct stat& st) {
    return !path.isEmpty() && stat(ToAnsi(path).constData(), &st) == 0;
}

} // namespace

bool FileExists(const QString& path) {
    struct stat st {};
    return Status(path, st) && S_ISREG(st.st_mode);
}

bool IsFolder(const QString& path) {
    struct stat st {};
    return Status(path, st) && S_ISDIR(st.st_mode);
}

bool FolderCanBeSearched(const QString& path) {
    return IsFolder(path) && access(ToAnsi(path).constData(), R_OK | X_OK) == 0;
}

QString UnreadableFileReason(const QString& path) {
    struct stat st {};
    if (!Status(path, st))
        return errno == ENOENT || errno == ENOTDIR || path.isEmpty()
                   ? QStringLiteral("no such file")
                   : QStringLiteral("cannot be read (%1)")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("is a folder");
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("is not a regular file");
    return UnopenableFileReason(path);
}

QString UnopenableFileReason(const QString& path) {
    // O_NONBLOCK: should the name have become a FIFO since, the open does not wait.
    const int fd = open(ToAnsi(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return QStringLiteral("cannot be read (%1)")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    close(fd);
    return QString();
}

} // namespace platform
