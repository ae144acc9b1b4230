#include "HelpTexts.h"

#include <QFile>

namespace editor {

QString GuideMarkdown() {
    QFile guide(QStringLiteral(":/editor/guide.md"));
    return guide.open(QIODevice::ReadOnly) ? QString::fromUtf8(guide.readAll()) : QString();
}

QString AboutMarkdown() {
    return QStringLiteral("## Kivuna %1\n\n"
                          "An editor of the ID3v1 and ID3v2 tags of MP3 files.\n\n"
                          "Kivuna is free software under the GNU General Public License, "
                          "version 3 or later.\n\n"
                          "Kivuna uses these libraries:\n\n"
                          "- Qt %2, under the GNU LGPL version 3\n"
                          "- TagLib, under the GNU LGPL version 2.1 or the Mozilla Public "
                          "License 1.1\n"
                          "- libpng, under the libpng licence\n")
        .arg(QStringLiteral(KIVUNA_VERSION), QString::fromLatin1(qVersion()));
}

} // namespace editor
