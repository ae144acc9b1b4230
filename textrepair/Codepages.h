// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The byte encodings that tag texts are written in, and conversions between them and UTF-8.
namespace kivuna::textrepair {

enum class Codepage { Latin1, Windows1252, Windows1251, Koi8r, Cp866, Utf8 };

// A name for a preview: "Latin-1", "Windows-1251", "KOI8-R", ...
std::string_view CodepageName(Codepage codepage);

// Text in code points; nothing when the bytes are not valid UTF-8 (overlong forms, surrogates and
// stray continuation bytes are invalid).
std::optional<std::u32string> DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u32string_view text);

// The characters that bytes stand for in a codepage; nothing when a byte stands for none (the
// unused places of Windows-1251 and Windows-1252) or, for UTF-8, when the bytes are invalid.
std::optional<std::u32string> Decode(std::string_view bytes, Codepage codepage);

// The bytes that a text was held as when a program showed it in a codepage; nothing when a
// character has no byte there. Windows-1252 and Windows-1251 also take the C1 control characters
// U+0080..U+009F back to their own bytes, since programs that read those bytes as Latin-1 (or met
// an unused place) show them that way: Windows-1252 thus takes back Latin-1 readings too.
std::optional<std::string> Encode(std::u32string_view text, Codepage codepage);

} // namespace kivuna::textrepair
