#include "FileIdentity.h"

#include <QCryptographicHash>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace batch {
namespace {

const QString kDevice = QStringLiteral("dev");
const QString kInode = QStringLiteral("ino");
const QString kSize = QStringLiteral("size");
const QString kModified = QStringLiteral("mtime_ns");
const QString kMode = QStringLiteral("mode");

} // namespace

QJsonObject FileIdentity::ToJson() const {
    // As texts: JSON numbers lose the low bits of 64-bit values.
    return {{kDevice, QString::number(device)},
            {kInode, QString::number(inode)},
            {kSize, QString::number(size)},
            {kModified, QString::number(modifiedNs)},
            {kMode, mode}};
}

std::optional<FileIdentity> FileIdentity::FromJson(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    FileIdentity identity;
    for (const auto& [key, field] :
         {std::pair{&kDevice, &identity.device}, std::pair{&kInode, &identity.inode},
          std::pair{&kSize, &identity.size}, std::pair{&kModified, &identity.modifiedNs}}) {
        bool ok = false;
        *field = object.value(*key).toString().toLongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    identity.mode = object.value(kMode).toInt(-1);
    return identity;
}

std::optional<FileIdentity> IdentityOf(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
                        qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec,
                        int(status.st_mode & 07777)};
}

bool SameSizeAndTime(const FileIdentity& recorded, const FileIdentity& now) {
    constexpr qint64 kCoarsestTimeNs = 2'000'000'000;
    return recorded.size == now.size &&
           std::abs(recorded.modifiedNs - now.modifiedNs) <= kCoarsestTimeNs;
}

bool SameFileMoved(const FileIdentity& recorded, const FileIdentity& now) {
    if (recorded.device == now.device)
        return recorded.inode == now.inode;
    return SameSizeAndTime(recorded, now);
}

QString RestoreModeAndTime(const QString& path, const FileIdentity& recorded) {
    const std::optional<FileIdentity> now = IdentityOf(path);
    if (!now)
        return QStringLiteral("%1 is gone").arg(path);
    const QByteArray native = QFile::encodeName(path);
    if (recorded.mode >= 0 && now->mode != recorded.mode &&
        ::chmod(native.constData(), mode_t(recorded.mode)) != 0)
        return QStringLiteral("Cannot give %1 its permissions back: %2")
            .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    if (now->modifiedNs != recorded.modifiedNs) {
        const timespec times[2] = {
            {0, UTIME_OMIT},
            {time_t(recorded.modifiedNs / 1000000000), long(recorded.modifiedNs % 1000000000)}};
        if (::utimensat(AT_FDCWD, native.constData(), times, AT_SYMLINK_NOFOLLOW) != 0)
            return QStringLiteral("Cannot give %1 its time back: %2")
                .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    return QString();
}

QString ContentHash(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace batch
