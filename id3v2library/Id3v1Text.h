#pragma once

// The single-byte texts of ID3v1 fields: Latin-1, or Windows-1251 for Cyrillic tags written by
// Russian-language Windows taggers.
#include <string>
#include <string_view>

namespace kivuna::tags {

// A field's bytes as UTF-8: cut at the first NUL, trailing blanks removed, decoded in whichever
// of Latin-1, Windows-1251, KOI8-R, DOS 866 and UTF-8 reads as the most plausible text.
std::string DecodeId3v1Text(std::string_view field);

// UTF-8 text as field bytes, at most `width` of them: Latin-1 where every character fits, else
// Windows-1251 where every character fits, else Latin-1 with '?' for what does not.
std::string EncodeId3v1Text(const std::string& utf8, size_t width);

} // namespace kivuna::tags
