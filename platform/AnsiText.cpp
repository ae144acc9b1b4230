#include "AnsiText.h"

namespace platform {

QByteArray ToAnsi(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 3);
    const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* const end = p + text.size();
    // Encoded by hand so the rule for unpaired surrogates does not depend on the Qt version.
    for (; p != end; ++p) {
        char32_t c = *p;
        if (QChar::isHighSurrogate(c) && p + 1 != end && QChar::isLowSurrogate(p[1])) {
            c = QChar::surrogateToUcs4(c, p[1]);
            ++p;
        } else if (QChar::isSurrogate(c)) {
            c = '?';
        }
        if (c < 0x80) {
            bytes.append(char(c));
        } else if (c < 0x800) {
            bytes.append(char(0xC0 | (c >> 6)));
            bytes.append(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.append(char(0xE0 | (c >> 12)));
            bytes.append(char(0x80 | ((c >> 6) & 0x3F)));
            bytes.append(char(0x80 | (c & 0x3F)));
        } else {
            bytes.append(char(0xF0 | (c >> 18)));
            bytes.append(char(0x80 | ((c >> 12) & 0x3F)));
            bytes.append(char(0x80 | ((c >> 6) & 0x3F)));
            bytes.append(char(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

QString FromAnsi(const char* text) {
    return text == nullptr ? QString() : QString::fromUtf8(text);
}

} // namespace platform
