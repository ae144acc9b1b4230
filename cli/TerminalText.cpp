#include "TerminalText.h"

#include "platform/AnsiText.h"

#include <unistd.h>

namespace cli {

QString EscapedControls(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\n')
            shown += QStringLiteral("\\n");
        else if (code == u'\t')
            shown += QStringLiteral("\\t");
        else if (code == u'\r')
            shown += QStringLiteral("\\r");
        else if (code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0))
            shown += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else if (platform::KeptByte(c) >= 0) // a byte of a name that is not UTF-8
            shown += QStringLiteral("\\x%1").arg(platform::KeptByte(c), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString ForOutput(const QString& text) {
    static const bool terminal = isatty(STDOUT_FILENO) == 1;
    return terminal ? EscapedControls(text) : text;
}

} // namespace cli
