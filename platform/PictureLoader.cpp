#include "PictureLoader.h"

#include <QFile>
#include <QFileInfo>
#include <map>
#include <utility>

namespace platform {
namespace {

struct PictureFormat {
    QString description;
    PictureDecoder decoder;
};

std::map<QString, PictureFormat>& Formats() {
    static std::map<QString, PictureFormat> formats;
    return formats;
}

} // namespace

void RegisterPictureFormat(const QString& extension, const QString& description,
                           PictureDecoder decoder) {
    Formats()[extension.toUpper()] = PictureFormat{description, std::move(decoder)};
}

QString PictureFormatDescription(const QString& extension) {
    const auto found = Formats().find(extension.toUpper());
    return found == Formats().end() ? QString() : found->second.description;
}

QImage LoadPicture(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toUpper();
    const auto found = Formats().find(extension);
    if (found == Formats().end())
        throw EInvalidGraphic(
            QStringLiteral("Unknown picture file extension (.%1): %2").arg(extension.toLower(), fileName));
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return found->second.decoder(file.readAll(), fileName);
}

} // namespace platform
