// SPDX-License-Identifier: GPL-3.0-or-later
#include "textrepair/LanguageModel.h"

namespace kivuna::textrepair {
namespace {

#include "textrepair/LetterTable.inc"

constexpr int kEdge = 0;
constexpr int kNotALetter = -1;

// Extra costs, in eighths of a nat.
constexpr int kCapitalAfterSmall = 40; // "çÒÕÐÐÁ": a KOI8-R text read as Latin-1 flips case
constexpr int kScriptSwitch = 16;      // a Latin word next to a Cyrillic one, and back
constexpr int kQuote = 8; // « » “ ” ‘ ’ ¿ ¡: real titles hold them, next to words
constexpr int kDash = 8;  // – — …: real titles hold them, between words
constexpr int kTypographic = 24; // ° · • © ® № and a no-break space
constexpr int kRareSymbol = 80;  // ¤ ¦ ± µ ¶ ¹ ¼ ×, box drawing, letters of other alphabets
constexpr int kGlued = 40;       // for each letter a symbol other than a quote touches
constexpr int kControl = 160;    // C0/C1 controls, U+FFFD: no name holds them

constexpr std::u32string_view kLatin1Letters = U"ßàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþÿ";
constexpr std::u32string_view kCyrillicExtra = U"ёіїєґў";

struct Letter {
    int cls = kNotALetter; // class in the letter table, or kNotALetter
    bool capital = false;
};

// Keep in step with ALPHABET in make_letter_table.py.
Letter Classify(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return {static_cast<int>(c - U'a') + 1, false};
    if (c >= U'A' && c <= U'Z')
        return {static_cast<int>(c - U'A') + 1, true};
    constexpr int latin1Base = 27;
    constexpr int cyrillicBase = latin1Base + static_cast<int>(kLatin1Letters.size());
    if (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7) {
        bool capital = c < 0xE0 && c != 0xDF;
        const char32_t small = capital ? c + 0x20 : c;
        const auto at = kLatin1Letters.find(small);
        if (at != std::u32string_view::npos)
            return {latin1Base + static_cast<int>(at), capital};
    }
    if (c >= 0x0410 && c <= 0x042F)
        return {cyrillicBase + static_cast<int>(c - 0x0410), true};
    if (c >= 0x0430 && c <= 0x044F)
        return {cyrillicBase + static_cast<int>(c - 0x0430), false};
    char32_t small = c;
    bool capital = false;
    if (c >= 0x0400 && c <= 0x040F)
        small = c + 0x50, capital = true;
    else if (c == 0x0490)
        small = 0x0491, capital = true;
    const auto at = kCyrillicExtra.find(small);
    if (at != std::u32string_view::npos)
        return {cyrillicBase + 32 + static_cast<int>(at), capital};
    return {};
}

struct Symbol {
    int cost;
    bool glues; // costs more where it touches a letter
};

Symbol SymbolOf(char32_t c) {
    if (c < 0x80)
        return {(c < 0x20 || c == 0x7F) && c != U'\t' ? kControl : 0, false};
    if (c <= 0x9F || c == 0xFFFD)
        return {kControl, false};
    switch (c) {
    case 0xAB:
    case 0xBB:
    case 0xA1:
    case 0xBF:
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201C:
    case 0x201D:
    case 0x201E:
        return {kQuote, false};
    case 0x2013:
    case 0x2014:
    case 0x2026:
        return {kDash, true};
    case 0xA0:
    case 0xA9:
    case 0xAE:
    case 0xB0:
    case 0xB7:
    case 0x2116:
    case 0x2022:
        return {kTypographic, true};
    default:
        return {kRareSymbol, true};
    }
}

enum class Script { None, Latin, Cyrillic };

} // namespace

int TextCost(std::u32string_view text) {
    int cost = 0;
    int previous = kEdge;
    bool previousCapital = true;
    Script lastWord = Script::None;
    Script word = Script::None;
    const auto endWord = [&] {
        if (previous != kEdge)
            cost += kPairCost[previous * kLetterClasses + kEdge];
        if (word != Script::None) {
            if (lastWord != Script::None && lastWord != word)
                cost += kScriptSwitch;
            lastWord = word;
        }
        word = Script::None;
        previous = kEdge;
        previousCapital = true;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        const Letter letter = Classify(c);
        if (letter.cls == kNotALetter) {
            const bool afterLetter = previous != kEdge;
            endWord();
            const Symbol symbol = SymbolOf(c);
            cost += symbol.cost;
            if (symbol.glues) {
                const bool beforeLetter =
                    i + 1 < text.size() && Classify(text[i + 1]).cls != kNotALetter;
                cost += kGlued * (int{afterLetter} + int{beforeLetter});
            }
            continue;
        }
        cost += kPairCost[previous * kLetterClasses + letter.cls];
        if (letter.capital && !previousCapital)
            cost += kCapitalAfterSmall;
        if (word == Script::None)
            word = c < 0x0400 ? Script::Latin : Script::Cyrillic;
        previous = letter.cls;
        previousCapital = letter.capital;
    }
    endWord();
    return cost;
}

} // namespace kivuna::textrepair
