#include "NameFolding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace batch {
namespace {

bool Exists(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

QString ExistingFolder(QString folder) {
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            break;
        folder = parent;
    }
    return folder;
}

} // namespace

QString NameFolding::Key(const QString& path) const {
    QString key = ignoresNormalization ? path.normalized(QString::NormalizationForm_C) : path;
    return ignoresCase ? key.toCaseFolded() : key;
}

NameFolding ProbeNameFolding(const QString& folder) {
    NameFolding folding;
    const QString base =
        QDir(ExistingFolder(folder)).filePath(QStringLiteral(".kivuna-probe-%1-").arg(::getpid()));
    const QString probe = base + QStringLiteral("a\u00e9");
    const int fd =
        ::open(QFile::encodeName(probe).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return folding;
    ::close(fd);
    const QString upper =
        QDir(QFileInfo(base).path())
            .filePath(QFileInfo(base).fileName().toUpper() + QStringLiteral("A\u00c9"));
    folding.ignoresCase = Exists(upper);
    folding.ignoresNormalization = Exists(base + QStringLiteral("ae\u0301"));
    QFile::remove(probe);
    return folding;
}

} // namespace batch
