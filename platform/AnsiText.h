#pragma once

#include <QByteArray>
#include <QString>

// Text at the 8-bit boundaries (the tag library, the folder walk, the command line). The ANSI
// code page is UTF-8 here. A file name need not be UTF-8, and must still be reachable: a byte that
// is no part of valid UTF-8 is kept in the text as the unpaired surrogate U+DC80 to U+DCFF, and
// becomes that byte again on the way back, so every name makes the round trip. Any other unpaired
// surrogate becomes "?".
namespace platform {

// Never empty as a pointer: an empty text gives an empty, NUL-terminated string.
QByteArray ToAnsi(const QString& text);

// A null pointer gives the empty text.
QString FromAnsi(const char* text);

// A byte kept as a surrogate by FromAnsi (0x80 to 0xFF); -1 for any other character.
int KeptByte(QChar c);

} // namespace platform
