#pragma once

#include <QString>

namespace naming {

// Which characters a name may not hold.
enum class NameRules {
    // Only what no file system takes: "/" and NUL.
    Posix,
    // Also what FAT, exFAT and Windows shares refuse (\ : * ? " < > | and control codes): music
    // often ends up on phones and USB drives.
    Portable,
};

inline constexpr int kMaxNameBytes = 255;
inline constexpr QChar kReplacement = QLatin1Char('_');

// One folder or file name made safe: refused characters replaced, blanks and dots trimmed at both
// ends, cut to 255 bytes of UTF-8 on a character boundary with the extension (".mp3", may be
// empty) kept. Answers the empty text when nothing is left of the stem.
QString SafeName(const QString& stem, const QString& extension, NameRules rules);

} // namespace naming
