#include "Id3v1Text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "TagText.h"
#include "textrepair/TextRepair.h"

namespace kivuna::tags {
namespace {

// The Windows-1251 byte of a character, or 0 when it has none.
unsigned char Cp1251Byte(wchar_t c) {
    const char32_t character = static_cast<char32_t>(c);
    const auto byte =
        textrepair::Encode(std::u32string_view(&character, 1), textrepair::Codepage::Windows1251);
    return byte && byte->size() == 1 ? static_cast<unsigned char>(byte->front()) : 0;
}

} // namespace

std::string DecodeId3v1Text(std::string_view field) {
    // The record does not say its code page: the reading that makes the most plausible text wins.
    return textrepair::Id3v1Reading(field);
}

std::string EncodeId3v1Text(const std::string& utf8, size_t width) {
    const TagLib::String text = FromUtf8(utf8);
    const bool latin1 = text.isLatin1();
    const bool cp1251 = !latin1 && std::all_of(text.begin(), text.end(),
                                               [](wchar_t c) { return Cp1251Byte(c) != 0; });
    std::string bytes;
    bytes.reserve(std::min<size_t>(text.size(), width));
    for (auto it = text.begin(); it != text.end() && bytes.size() < width; ++it) {
        const wchar_t c = *it;
        if (cp1251)
            bytes += static_cast<char>(Cp1251Byte(c));
        else
            bytes += c <= 0xFF ? static_cast<char>(c) : '?';
    }
    return bytes;
}

} // namespace kivuna::tags
