#include "ResPictures.h"

#include "platform/PictureLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace editor {

QImage LoadResPicture(const QString& name) {
    QString folder = QStringLiteral("Res");
    if (!QFileInfo(folder).isDir())
        folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Res");
    return platform::LoadPicture(folder + u'/' + name);
}

} // namespace editor
