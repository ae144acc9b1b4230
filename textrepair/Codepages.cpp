// SPDX-License-Identifier: GPL-3.0-or-later
#include "textrepair/Codepages.h"

#include <algorithm>
#include <array>

namespace kivuna::textrepair {
namespace {

using HighHalf = std::array<char16_t, 128>; // characters of bytes 0x80..0xFF; 0 where unused

constexpr HighHalf kWindows1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

constexpr HighHalf kKoi8r = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518, 0x251C, 0x2524, 0x252C, 0x2534, 0x253C, 0x2580,
    0x2584, 0x2588, 0x258C, 0x2590, 0x2591, 0x2592, 0x2593, 0x2320, 0x25A0, 0x2219, 0x221A, 0x2248,
    0x2264, 0x2265, 0x00A0, 0x2321, 0x00B0, 0x00B2, 0x00B7, 0x00F7, 0x2550, 0x2551, 0x2552, 0x0451,
    0x2553, 0x2554, 0x2555, 0x2556, 0x2557, 0x2558, 0x2559, 0x255A, 0x255B, 0x255C, 0x255D, 0x255E,
    0x255F, 0x2560, 0x2561, 0x0401, 0x2562, 0x2563, 0x2564, 0x2565, 0x2566, 0x2567, 0x2568, 0x2569,
    0x256A, 0x256B, 0x256C, 0x00A9, 0x044E, 0x0430, 0x0431, 0x0446, 0x0434, 0x0435, 0x0444, 0x0433,
    0x0445, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x044F, 0x0440, 0x0441,
    0x0442, 0x0443, 0x0436, 0x0432, 0x044C, 0x044B, 0x0437, 0x0448, 0x044D, 0x0449, 0x0447, 0x044A,
    0x042E, 0x0410, 0x0411, 0x0426, 0x0414, 0x0415, 0x0424, 0x0413, 0x0425, 0x0418, 0x0419, 0x041A,
    0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x042F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0416, 0x0412,
    0x042C, 0x042B, 0x0417, 0x0428, 0x042D, 0x0429, 0x0427, 0x042A};

constexpr HighHalf kCp866 = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B,
    0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433,
    0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B,
    0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0};

// Windows-1252 differs from Latin-1 only in bytes 0x80..0x9F.
constexpr std::array<char16_t, 32> kWindows1252Low = {
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x0000, 0x017D, 0x0000, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x0000, 0x017E, 0x0178};

char32_t HighChar(unsigned char byte, Codepage codepage) {
    const unsigned i = byte - 0x80;
    switch (codepage) {
    case Codepage::Windows1251:
        return kWindows1251[i];
    case Codepage::Koi8r:
        return kKoi8r[i];
    case Codepage::Cp866:
        return kCp866[i];
    case Codepage::Windows1252:
        return i < kWindows1252Low.size() ? kWindows1252Low[i] : byte;
    case Codepage::Latin1:
    case Codepage::Utf8:
        break;
    }
    return byte;
}

// A codepage's high half sorted by character, to find the byte of a character by binary search.
struct ByteOfChar {
    char16_t c;
    unsigned char byte;
    constexpr bool operator<(const ByteOfChar& other) const { return c < other.c; }
};
using Reverse = std::array<ByteOfChar, 128>;

constexpr Reverse Reversed(const HighHalf& half) {
    Reverse reverse{};
    for (unsigned i = 0; i < 128; ++i)
        reverse[i] = {half[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(reverse.begin(), reverse.end());
    return reverse;
}

constexpr HighHalf Windows1252Half() {
    HighHalf half{};
    for (unsigned i = 0; i < 128; ++i)
        half[i] = i < kWindows1252Low.size() ? kWindows1252Low[i] : static_cast<char16_t>(0x80 + i);
    return half;
}

constexpr Reverse kWindows1251Reverse = Reversed(kWindows1251);
constexpr Reverse kKoi8rReverse = Reversed(kKoi8r);
constexpr Reverse kCp866Reverse = Reversed(kCp866);
constexpr Reverse kWindows1252Reverse = Reversed(Windows1252Half());

std::optional<unsigned char> ByteOf(char32_t c, Codepage codepage) {
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    const Reverse* reverse = nullptr;
    switch (codepage) {
    case Codepage::Latin1:
        if (c <= 0xFF)
            return static_cast<unsigned char>(c);
        return std::nullopt;
    case Codepage::Windows1252:
        reverse = &kWindows1252Reverse;
        break;
    case Codepage::Windows1251:
        reverse = &kWindows1251Reverse;
        break;
    case Codepage::Koi8r:
        reverse = &kKoi8rReverse;
        break;
    case Codepage::Cp866:
        reverse = &kCp866Reverse;
        break;
    case Codepage::Utf8:
        return std::nullopt;
    }
    if (c <= 0xFFFF) {
        const ByteOfChar key{static_cast<char16_t>(c), 0};
        const auto at = std::lower_bound(reverse->begin(), reverse->end(), key);
        if (at != reverse->end() && at->c == c)
            return at->byte;
    }
    // Programs that read bytes 0x80..0x9F as Latin-1 showed them as C1 control characters.
    if ((codepage == Codepage::Windows1252 || codepage == Codepage::Windows1251) && c <= 0x9F)
        return static_cast<unsigned char>(c);
    return std::nullopt;
}

} // namespace

std::string_view CodepageName(Codepage codepage) {
    switch (codepage) {
    case Codepage::Latin1:
        return "Latin-1";
    case Codepage::Windows1252:
        return "Windows-1252";
    case Codepage::Windows1251:
        return "Windows-1251";
    case Codepage::Koi8r:
        return "KOI8-R";
    case Codepage::Cp866:
        return "DOS 866";
    case Codepage::Utf8:
        return "UTF-8";
    }
    return "";
}

std::optional<std::u32string> DecodeUtf8(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            text.push_back(lead);
            ++i;
            continue;
        }
        int extra = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, c = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, c = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, c = lead & 0x07, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + extra >= bytes.size())
            return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        text.push_back(c);
        i += extra + 1;
    }
    return text;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char32_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::optional<std::u32string> Decode(std::string_view bytes, Codepage codepage) {
    if (codepage == Codepage::Utf8)
        return DecodeUtf8(bytes);
    std::u32string text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            text.push_back(byte);
            continue;
        }
        const char32_t c = HighChar(byte, codepage);
        if (c == 0)
            return std::nullopt;
        text.push_back(c);
    }
    return text;
}

std::optional<std::string> Encode(std::u32string_view text, Codepage codepage) {
    if (codepage == Codepage::Utf8)
        return EncodeUtf8(text);
    std::string bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text) {
        const auto byte = ByteOf(c, codepage);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

} // namespace kivuna::textrepair
