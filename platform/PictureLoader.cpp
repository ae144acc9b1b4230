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
        throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1): %2")
                                  .arg(extension.toLower(), fileName));
    const auto cannotOpen = [&fileName](const QString& reason) {
        return EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
    };
    const QFileInfo info(fileName);
    if (!info.exists())
        throw cannotOpen(QStringLiteral("No such file or directory"));
    if (!info.isFile())
        throw cannotOpen(QStringLiteral("Not a file"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpen(file.errorString());
    return found->second.decoder(file.readAll(), fileName);
}

} // namespace platform
