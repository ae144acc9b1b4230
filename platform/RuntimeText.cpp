#include "RuntimeText.h"

#include <limits>

namespace platform {
namespace {

constexpr char16_t FoldUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? c - 32 : c;
}

} // namespace

QString Trim(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 32)
        ++first;
    while (last > first && text[last - 1].unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

int32_t StrToInt(const QString& text) {
    const auto fail = [&text] {
        return EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    };
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        throw fail();
    // Accumulate as a negative number, which reaches the 32-bit minimum without overflow.
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            throw fail();
        value = value * 10 - (c - u'0');
        if (value < std::numeric_limits<int32_t>::min())
            throw fail();
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int32_t>::max())
            throw fail();
    }
    return static_cast<int32_t>(value);
}

int CompareText(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int d = int(FoldUpper(a[i].unicode())) - int(FoldUpper(b[i].unicode()));
        if (d != 0)
            return d;
    }
    return int(a.size() - b.size());
}

QString LowerCaseAscii(const QString& text) {
    QString folded = text;
    for (QChar& c : folded)
        c = QChar(FoldLowerAscii(c.unicode()));
    return folded;
}

QString IntToStr(int32_t value) {
    return QString::number(value);
}

} // namespace platform
