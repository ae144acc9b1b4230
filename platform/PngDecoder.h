#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// Decodes PNG bytes with libpng into a 32-bit RGBA picture; raises EInvalidGraphic naming
// `source` when the bytes are not a readable PNG.
QImage DecodePng(const QByteArray& bytes, const QString& source);

// Registers PNG with the picture loader as "PNG" / "Portable Network Graphics".
void RegisterPngSupport();

} // namespace platform
