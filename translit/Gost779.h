#pragma once

#include <QString>

// Transliteration of Russian text by GOST 7.79-2000, System B (the ASCII-only system): every
// Cyrillic letter has one Latin spelling, so text goes back to Cyrillic unchanged, except a
// Latin "c" written before e, i, y or j, which the system uses for "ц" there. The Ukrainian and
// Belarusian letters і, ї, є, ґ and ў have their System B spellings too (i, yi, ye, g`, u`); all
// but "і" come back, which reads back as the Russian "и".
namespace translit {

// Cyrillic letters to Latin; every other character stays as it is.
QString CyrillicToLatin(const QString& text);

// The reverse mapping, longest spelling first ("shh" before "sh" before "s"); letters the
// system does not use (h, q, w, and a "c" that is no "ц") stay Latin.
QString LatinToCyrillic(const QString& text);

} // namespace translit
