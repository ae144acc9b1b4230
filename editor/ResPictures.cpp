#include "ResPictures.h"

#include "platform/PictureLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace editor {

QImage LoadResPicture(const QString& name) {
    QString folder = QStringLiteral("Res");
    const QString programFolder = QCoreApplication::applicationDirPath();
    // Beside the program in the build folder; under share/kivuna once installed.
    for (const QString& candidate : {programFolder + QStringLiteral("/Res"),
                                     programFolder + QStringLiteral("/../share/kivuna/Res")}) {
        if (QFileInfo(folder).isDir())
            break;
        folder = candidate;
    }
    return platform::LoadPicture(folder + u'/' + name);
}

} // namespace editor
