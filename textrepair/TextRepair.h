// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "textrepair/Codepages.h"

// Detection and repair of tag texts whose bytes were read in the wrong codepage: Cyrillic
// written in Windows-1251, KOI8-R, DOS 866 or UTF-8 and read as Latin-1 (or Windows-1252,
// Windows-1251, KOI8-R), once or twice over, and ID3v1 fields whose codepage is not recorded.
// Standard C++ only, so that the tag library and the Qt core can both link it.
namespace kivuna::textrepair {

// How a text was garbled: the codepage it was written in, then the one it was read as. Latin-1
// covers Windows-1252 too, since programs show bytes 0x80..0x9F either way.
enum class Damage {
    Windows1251AsLatin1,
    Koi8rAsLatin1,
    Cp866AsLatin1,
    Utf8AsLatin1,
    Koi8rAsWindows1251,
    Cp866AsWindows1251,
    Utf8AsWindows1251,
    Windows1251AsKoi8r,
    Cp866AsKoi8r,
    Utf8AsKoi8r,
    TwoSteps, // garbled once, then the garbled text garbled again
};

// Says it for a preview: "Windows-1251 read as Latin-1", "garbled twice".
std::string_view DamageName(Damage damage);

struct Repair {
    std::string text; // UTF-8
    Damage damage;
};

// Given an ID3v2 field's text as read (UTF-8), whether it is garbled and what it should read;
// nothing when it should stay as it is (including when it is not valid UTF-8).
std::optional<Repair> Diagnose(std::string_view utf8);
std::optional<std::string> RepairedText(std::string_view utf8);

// An ID3v1 field's text bytes: cut at the first NUL, trailing blanks removed.
std::string_view TrimmedField(std::string_view bytes);

// An ID3v1 field's bytes in whichever of Latin-1, Windows-1251, KOI8-R, DOS 866 (or UTF-8, which
// some programs wrote there) reads as the most plausible text. The field is cut here at its
// first NUL and its trailing blanks are trimmed, so the raw 30 bytes may be passed as they are.
Codepage Id3v1Codepage(std::string_view fieldBytes);
std::string Id3v1Reading(std::string_view fieldBytes);

// The bytes a text is stored as in an ID3v1 field of `width` bytes: Windows-1251 when it holds
// Cyrillic, else Latin-1. A character with no byte there becomes '?', and the bytes are cut to
// the width (a plain cut: both codepages are one byte a character).
struct Id3v1Field {
    std::string bytes;
    Codepage codepage = Codepage::Latin1;
    bool allCharacters = true; // false when some character had no byte in the codepage
    bool whole = true;         // false when the text was longer than the width
};
Id3v1Field Id3v1Bytes(std::string_view utf8, std::size_t width);

} // namespace kivuna::textrepair
