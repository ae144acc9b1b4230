#include "Id3v1Text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "TagText.h"

namespace kivuna::tags {
namespace {

// Windows-1251 bytes 0x80-0xFF. 0x98 is unassigned and maps to itself like Latin-1 would.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

// The Windows-1251 byte of a character, or 0 when it has none.
unsigned char Cp1251Byte(wchar_t c) {
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    const auto* it = std::find(kCp1251High.begin(), kCp1251High.end(), static_cast<char16_t>(c));
    return it == kCp1251High.end() ? 0
                                   : static_cast<unsigned char>(0x80 + (it - kCp1251High.begin()));
}

bool LooksCyrillic(std::string_view field) {
    int cyrillic = 0;
    int ascii = 0;
    for (const char ch : field) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0xC0 || b == 0xA8 || b == 0xB8)
            ++cyrillic;
        else if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'))
            ++ascii;
    }
    return cyrillic > ascii;
}

} // namespace

std::string DecodeId3v1Text(std::string_view field) {
    field = field.substr(0, field.find('\0'));
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.remove_suffix(1);
    const bool cyrillic = LooksCyrillic(field);
    std::wstring wide;
    wide.reserve(field.size());
    for (const char ch : field) {
        const auto b = static_cast<unsigned char>(ch);
        wide += (cyrillic && b >= 0x80) ? static_cast<wchar_t>(kCp1251High[b - 0x80])
                                        : static_cast<wchar_t>(b);
    }
    return ToUtf8(TagLib::String(wide));
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
