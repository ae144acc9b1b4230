#pragma once

#include <QByteArray>
#include <QString>

// Text at the 8-bit boundaries (the tag library, the folder walk). The ANSI code page is UTF-8
// here, so the conversion is lossless except for an unpaired surrogate, which becomes "?".
namespace platform {

// Never empty as a pointer: an empty text gives an empty, NUL-terminated string.
QByteArray ToAnsi(const QString& text);

// A null pointer gives the empty text.
QString FromAnsi(const char* text);

} // namespace platform
