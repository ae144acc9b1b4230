#pragma once

#include <QString>
#include <optional>

// Tag texts that other programs garbled (Cyrillic bytes read in the wrong code page, UTF-8 read as
// Latin-1), told apart from correct texts and given back readable, for the windows and the runs.
namespace tagaccess {

struct TextRepair {
    QString text;
    // How it was garbled, for a preview: "Windows-1251 read as Latin-1".
    QString damage;
};

// What the text should read; nothing when it reads right (or cannot be told).
std::optional<TextRepair> RepairText(const QString& text);

// Where the two tags hold the same text read two ways, one of them garbled (the ID3v1 text
// perhaps cut to its field), the readable one, whole; nothing otherwise.
std::optional<QString> ReadableOfBoth(const QString& id3v1, const QString& id3v2);

} // namespace tagaccess
