#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace tagaccess {

// The ID3v1 genre names by number, 0 to 144.
using GenreTable = std::array<QString, 145>;

// The one table of the process, built on first use and read-only afterwards.
const GenreTable& TheGenreTable();

// The name of a genre number: of the table, else of the names 145-191 the tag library reads;
// empty for any other number.
QString GenreName(uint8_t number, const GenreTable& table);

// Number of the genre name (of the table, else of the names 145-191 the tag library reads),
// matched over the whole text with only A-Z folded, then with blanks ignored too; else a numeric
// reference "n" or "(n)" of 0-191 (the form ID3v2 tags store) gives n; anything else gives 255 (no
// genre).
uint8_t GenreNumber(const QString& name, const GenreTable& table);

} // namespace tagaccess
