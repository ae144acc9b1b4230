#pragma once

#include "Exception.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

// The picture loader: formats register a decoder under their file extension, and every picture
// the windows show is loaded through it, from a file or from the embedded layout resources.
namespace platform {

// A picture file that cannot be opened.
class EFOpenError : public Exception {
  public:
    using Exception::Exception;
};

// A file that is not a picture of its format, or of no registered format.
class EInvalidGraphic : public Exception {
  public:
    using Exception::Exception;
};

// Turns a file's bytes into a picture; raises EInvalidGraphic naming `source` when it cannot.
using PictureDecoder = std::function<QImage(const QByteArray& bytes, const QString& source)>;

// Registers (or replaces) the decoder for an extension such as "PNG".
void RegisterPictureFormat(const QString& extension, const QString& description,
                           PictureDecoder decoder);

// Description of a registered extension; empty when none is registered.
QString PictureFormatDescription(const QString& extension);

// Loads a picture file (or a ":/" resource) through the decoder registered for its extension.
QImage LoadPicture(const QString& fileName);

} // namespace platform
