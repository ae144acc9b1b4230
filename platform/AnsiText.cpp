#include "AnsiText.h"

#include <QByteArrayView>

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
        } else if (KeptByte(QChar(c)) >= 0) {
            bytes.append(char(KeptByte(QChar(c))));
            continue;
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

namespace {

// The length of the valid UTF-8 sequence at `p` (1 to 4); 0 when it is none: a stray or missing
// continuation byte, an overlong form, a surrogate, or a code point above U+10FFFF.
int SequenceLength(const unsigned char* p) {
    const unsigned char lead = p[0];
    const auto continuation = [&](int i) { return (p[i] & 0xC0) == 0x80; };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const bool second = lead == 0xE0   ? p[1] >= 0xA0 && p[1] <= 0xBF
                            : lead == 0xED ? p[1] >= 0x80 && p[1] <= 0x9F
                                           : continuation(1);
        return second && continuation(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const bool second = lead == 0xF0   ? p[1] >= 0x90 && p[1] <= 0xBF
                            : lead == 0xF4 ? p[1] >= 0x80 && p[1] <= 0x8F
                                           : continuation(1);
        return second && continuation(2) && continuation(3) ? 4 : 0;
    }
    return 0;
}

} // namespace

int KeptByte(QChar c) {
    return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF ? c.unicode() - 0xDC00 : -1;
}

QString FromAnsi(const char* text) {
    if (text == nullptr)
        return QString();
    const QByteArrayView bytes(text);
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    // The reading of a name that is not UTF-8: its other bytes kept one by one. The string ends
    // with a NUL, so a sequence cut short stops there.
    QString decoded;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        const int length = SequenceLength(p);
        if (length == 0) {
            decoded.append(QChar(char16_t(0xDC00 + *p)));
            ++p;
        } else {
            decoded.append(QString::fromUtf8(reinterpret_cast<const char*>(p), length));
            p += length;
        }
    }
    return decoded;
}

} // namespace platform
