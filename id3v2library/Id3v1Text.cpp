#include "Id3v1Text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "Cp1251Table.h"
#include "TagText.h"
#include "textrepair/TextRepair.h"

namespace kivuna::tags {
namespace {

// The Windows-1251 byte of a character, or 0 when it has none.
unsigned char Cp1251Byte(wchar_t c) {
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    const auto* it = std::find(kCp1251High.begin(), kCp1251High.end(), static_cast<char16_t>(c));
    return it == kCp1251High.end() ? 0
                                   : static_cast<unsigned char>(0x80 + (it - kCp1251High.begin()));
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
