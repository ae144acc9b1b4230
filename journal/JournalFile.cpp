#include "JournalFile.h"

#include <QDateTime>
#include <QDir>
#include <QJsonDocument>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace journal {

QString DefaultJournalFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("journals"));
}

QJsonObject MarkLine(const QString& mark, QJsonObject extra) {
    extra.insert(kMarkKey, mark);
    extra.insert(kTimeKey, QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    return extra;
}

bool AppendDurably(int fd, const std::vector<QJsonObject>& lines) {
    QByteArray bytes;
    for (const QJsonObject& line : lines)
        bytes += QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return ::fdatasync(fd) == 0;
}

void SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace journal
