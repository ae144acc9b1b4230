#include "SafeName.h"

namespace naming {
namespace {

bool Refused(QChar c, NameRules rules) {
    if (c == QLatin1Char('/') || c.unicode() == 0)
        return true;
    if (rules == NameRules::Posix)
        return false;
    return c.unicode() < 32 || QStringView(u"\\:*?\"<>|").contains(c);
}

bool Trimmed(QChar c) {
    return c.isSpace() || c == QLatin1Char('.');
}

QString TrimBlanksAndDots(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && Trimmed(text[begin]))
        ++begin;
    while (end > begin && Trimmed(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// The longest start of the text that takes at most `bytes` bytes of UTF-8, never splitting a
// surrogate pair.
QString CutToBytes(const QString& text, qsizetype bytes) {
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype units = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const qsizetype size = text.mid(i, units).toUtf8().size();
        if (used + size > bytes)
            break;
        used += size;
        i += units;
    }
    return text.left(i);
}

} // namespace

QString SafeName(const QString& stem, const QString& extension, NameRules rules) {
    QString name = stem;
    for (QChar& c : name) {
        if (Refused(c, rules))
            c = kReplacement;
    }
    name = TrimBlanksAndDots(name);
    const qsizetype room = kMaxNameBytes - extension.toUtf8().size();
    if (name.toUtf8().size() > room)
        name = TrimBlanksAndDots(CutToBytes(name, room));
    return name.isEmpty() ? name : name + extension;
}

} // namespace naming
