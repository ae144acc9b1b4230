// SPDX-License-Identifier: GPL-3.0-or-later
#include "textrepair/TextRepair.h"

#include <algorithm>
#include <array>

#include "textrepair/LanguageModel.h"

namespace kivuna::textrepair {
namespace {

// One way a text gets garbled: its bytes, written in one codepage, shown in another. Undoing it
// takes the text back to bytes through the codepage it was shown in and reads them in the one
// they were written in.
struct Step {
    Codepage shownAs;
    Codepage writtenIn;
    Damage damage;
    int rarity; // added to the cost: Windows-1251 and UTF-8 are the common cases
};

constexpr std::array<Step, 10> kSteps = {{
    {Codepage::Windows1252, Codepage::Windows1251, Damage::Windows1251AsLatin1, 0},
    {Codepage::Windows1252, Codepage::Koi8r, Damage::Koi8rAsLatin1, 8},
    {Codepage::Windows1252, Codepage::Cp866, Damage::Cp866AsLatin1, 16},
    {Codepage::Windows1252, Codepage::Utf8, Damage::Utf8AsLatin1, 0},
    {Codepage::Windows1251, Codepage::Koi8r, Damage::Koi8rAsWindows1251, 16},
    {Codepage::Windows1251, Codepage::Cp866, Damage::Cp866AsWindows1251, 16},
    {Codepage::Windows1251, Codepage::Utf8, Damage::Utf8AsWindows1251, 0},
    {Codepage::Koi8r, Codepage::Windows1251, Damage::Windows1251AsKoi8r, 16},
    {Codepage::Koi8r, Codepage::Cp866, Damage::Cp866AsKoi8r, 24},
    {Codepage::Koi8r, Codepage::Utf8, Damage::Utf8AsKoi8r, 16},
}};

// Costs in eighths of a nat (see LanguageModel.h).
constexpr int kRepairMargin = 24;  // a repair must beat the text as it stands by this much
constexpr int kSecondStep = 24;    // garbling twice is rarer than once
constexpr int kUtf8Character = 12; // bytes rarely form valid UTF-8 sequences by chance

// What a reading costs: how implausible it reads, how rare its damage is, and less for each
// character that valid UTF-8 sequences formed.
int ReadingCost(std::u32string_view text, Codepage writtenIn, int rarity) {
    int cost = TextCost(text) + rarity;
    if (writtenIn == Codepage::Utf8)
        cost -=
            kUtf8Character * static_cast<int>(std::count_if(text.begin(), text.end(),
                                                            [](char32_t c) { return c >= 0x80; }));
    return cost;
}

struct Reading {
    std::u32string text;
    int cost;
    Damage damage;
};

std::optional<std::u32string> Undo(std::u32string_view text, const Step& step) {
    const auto bytes = Encode(text, step.shownAs);
    if (!bytes)
        return std::nullopt;
    return Decode(*bytes, step.writtenIn);
}

bool IsAscii(std::u32string_view text) {
    return std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x80; });
}

} // namespace

std::string_view TrimmedField(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\t'))
        bytes.remove_suffix(1);
    return bytes;
}

std::string_view DamageName(Damage damage) {
    switch (damage) {
    case Damage::Windows1251AsLatin1:
        return "Windows-1251 read as Latin-1";
    case Damage::Koi8rAsLatin1:
        return "KOI8-R read as Latin-1";
    case Damage::Cp866AsLatin1:
        return "DOS 866 read as Latin-1";
    case Damage::Utf8AsLatin1:
        return "UTF-8 read as Latin-1";
    case Damage::Koi8rAsWindows1251:
        return "KOI8-R read as Windows-1251";
    case Damage::Cp866AsWindows1251:
        return "DOS 866 read as Windows-1251";
    case Damage::Utf8AsWindows1251:
        return "UTF-8 read as Windows-1251";
    case Damage::Windows1251AsKoi8r:
        return "Windows-1251 read as KOI8-R";
    case Damage::Cp866AsKoi8r:
        return "DOS 866 read as KOI8-R";
    case Damage::Utf8AsKoi8r:
        return "UTF-8 read as KOI8-R";
    case Damage::TwoSteps:
        return "garbled twice";
    }
    return "";
}

std::optional<Repair> Diagnose(std::string_view utf8) {
    const auto stored = DecodeUtf8(utf8);
    if (!stored || IsAscii(*stored))
        return std::nullopt;
    const int storedCost = TextCost(*stored);

    std::optional<Reading> best;
    const auto consider = [&](std::u32string text, int cost, Damage damage) {
        if (!best || cost < best->cost)
            best = Reading{std::move(text), cost, damage};
    };
    for (const Step& first : kSteps) {
        auto once = Undo(*stored, first);
        if (!once || *once == *stored)
            continue;
        for (const Step& second : kSteps) {
            auto twice = Undo(*once, second);
            if (twice && *twice != *once && *twice != *stored) {
                const int cost =
                    ReadingCost(*twice, second.writtenIn, second.rarity + first.rarity);
                consider(std::move(*twice), cost + kSecondStep, Damage::TwoSteps);
            }
        }
        const int cost = ReadingCost(*once, first.writtenIn, first.rarity);
        consider(std::move(*once), cost, first.damage);
    }
    if (!best || storedCost - best->cost < kRepairMargin)
        return std::nullopt;
    return Repair{EncodeUtf8(best->text), best->damage};
}

std::optional<std::string> RepairedText(std::string_view utf8) {
    auto repair = Diagnose(utf8);
    if (!repair)
        return std::nullopt;
    return std::move(repair->text);
}

Codepage Id3v1Codepage(std::string_view fieldBytes) {
    const std::string_view bytes = TrimmedField(fieldBytes);
    // Ties go to the earlier codepage: Latin-1 first, as ID3v1 defines it.
    constexpr std::array<std::pair<Codepage, int>, 5> kOrder = {{{Codepage::Latin1, 0},
                                                                 {Codepage::Utf8, 0},
                                                                 {Codepage::Windows1251, 0},
                                                                 {Codepage::Koi8r, 8},
                                                                 {Codepage::Cp866, 16}}};
    Codepage bestCodepage = Codepage::Latin1;
    std::optional<int> bestCost;
    for (const auto& [codepage, rarity] : kOrder) {
        const auto text = Decode(bytes, codepage);
        if (!text)
            continue;
        if (codepage == Codepage::Utf8 && IsAscii(*text))
            continue;
        const int cost = ReadingCost(*text, codepage, rarity);
        if (!bestCost || cost < *bestCost)
            bestCost = cost, bestCodepage = codepage;
    }
    return bestCodepage;
}

std::string Id3v1Reading(std::string_view fieldBytes) {
    const std::string_view bytes = TrimmedField(fieldBytes);
    const auto text = Decode(bytes, Id3v1Codepage(bytes));
    return text ? EncodeUtf8(*text) : std::string(bytes);
}

Id3v1Field Id3v1Bytes(std::string_view utf8, std::size_t width) {
    // Text that is not UTF-8 is taken as Latin-1, the only reading that never fails.
    const std::u32string text = DecodeUtf8(utf8).value_or(*Decode(utf8, Codepage::Latin1));
    const bool cyrillic = std::any_of(text.begin(), text.end(),
                                      [](char32_t c) { return c >= 0x0400 && c <= 0x04FF; });
    Id3v1Field field;
    field.codepage = cyrillic ? Codepage::Windows1251 : Codepage::Latin1;
    for (const char32_t c : text) {
        const auto byte = Encode(std::u32string_view(&c, 1), field.codepage);
        // Encode() takes C1 controls back for Windows-1251; a stored field must not hold them.
        if (!byte || (c >= 0x80 && c <= 0x9F)) {
            field.allCharacters = false;
            field.bytes.push_back('?');
        } else {
            field.bytes += *byte;
        }
    }
    if (field.bytes.size() > width) {
        field.bytes.resize(width);
        field.whole = false;
    }
    return field;
}

} // namespace kivuna::textrepair
