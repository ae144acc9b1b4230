#include "PngDecoder.h"

#include "PictureLoader.h"

#include <png.h>

namespace platform {

QImage DecodePng(const QByteArray& bytes, const QString& source) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const auto fail = [&] {
        const QString reason = QString::fromUtf8(image.message);
        png_image_free(&image);
        return EInvalidGraphic(
            QStringLiteral("\"%1\" is not a readable PNG picture: %2").arg(source, reason));
    };
    if (!png_image_begin_read_from_memory(&image, bytes.constData(), size_t(bytes.size())))
        throw fail();
    image.format = PNG_FORMAT_RGBA;
    // Guards the QImage allocation against absurd sizes in a damaged header.
    if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
        png_image_free(&image);
        throw EInvalidGraphic(
            QStringLiteral("\"%1\" is not a readable PNG picture: bad size").arg(source));
    }
    QImage picture(int(image.width), int(image.height), QImage::Format_RGBA8888);
    if (picture.isNull()) {
        png_image_free(&image);
        throw EInvalidGraphic(QStringLiteral("\"%1\" is too large a picture").arg(source));
    }
    if (!png_image_finish_read(&image, nullptr, picture.bits(), png_int_32(picture.bytesPerLine()),
                               nullptr))
        throw fail();
    png_image_free(&image);
    return picture;
}

void RegisterPngSupport() {
    RegisterPictureFormat(QStringLiteral("PNG"), QStringLiteral("Portable Network Graphics"),
                          &DecodePng);
}

} // namespace platform
