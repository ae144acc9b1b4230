// SPDX-License-Identifier: GPL-3.0-or-later
#include "textrepair/LanguageModel.h"

namespace kivuna::textrepair {
namespace {

#include "textrepair/LetterTable.inc"

constexpr int kEdge = 0;
constexpr int kNotALetter = -1;

// Extra costs, in eighths of a nat.
constexpr int kCapitalAfterSmall = 64; // "çÒÕÐÐÁ": a KOI8-R text read as Latin-1 flips case
constexpr int kSmallStart = 16;        // names and titles begin with a capital
constexpr int kScriptSwitch = 32;      // a Latin word next to a Cyrillic one (twice: one letter)
constexpr int kQuote = 8; // « » “ ” ‘ ’ ¿ ¡: real titles hold them, next to words
constexpr int kDash = 8;  // – — …: real titles hold them, between words
constexpr int kTypographic = 64; // ° · • © ® № and a no-break space
constexpr int kRareSymbol = 80;  // ¤ ¦ ± µ ¶ ¹ ¼ ×, box drawing, other alphabets' letters
constexpr int kGlued = 40;       // each letter a symbol touches; a quote touching two, or none
constexpr int kControl = 160;    // C0/C1 controls, U+FFFD, box drawing: no name holds them

constexpr std::u32string_view kLatin1Letters = U"ßàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþÿœ";
constexpr std::u32string_view kCyrillicExtra = U"ёіїєґў";
constexpr int kLatin1Base = 27;
constexpr int kCyrillicBase = kLatin1Base + static_cast<int>(kLatin1Letters.size());

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
    if (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7) {
        const bool capital = c < 0xE0 && c != 0xDF;
        const auto at = kLatin1Letters.find(capital ? c + 0x20 : c);
        if (at != std::u32string_view::npos)
            return {kLatin1Base + static_cast<int>(at), capital};
    }
    // œ: the one letter of these languages that Windows-1252 adds to Latin-1.
    if (c == 0x0152 || c == 0x0153)
        return {kLatin1Base + static_cast<int>(kLatin1Letters.find(U'œ')), c == 0x0152};
    if (c >= 0x0410 && c <= 0x042F)
        return {kCyrillicBase + static_cast<int>(c - 0x0410), true};
    if (c >= 0x0430 && c <= 0x044F)
        return {kCyrillicBase + static_cast<int>(c - 0x0430), false};
    char32_t small = c;
    bool capital = false;
    if (c >= 0x0400 && c <= 0x040F)
        small = c + 0x50, capital = true;
    else if (c == 0x0490)
        small = 0x0491, capital = true;
    const auto at = kCyrillicExtra.find(small);
    if (at != std::u32string_view::npos)
        return {kCyrillicBase + 32 + static_cast<int>(at), capital};
    return {};
}

// Where a symbol costs more for touching letters.
enum class Glue {
    Never,      // spaces, ASCII punctuation
    Apostrophe, // touches a letter on one side or both
    InsideWord, // quotes: a letter on one side is normal, on both sides or none is not
    Always,     // dashes and other symbols stand apart from words
};

struct Symbol {
    int cost;
    Glue glue;
};

Symbol SymbolOf(char32_t c) {
    if (c < 0x80)
        return {(c < 0x20 || c == 0x7F) && c != U'\t' ? kControl : 0, Glue::Never};
    if (c <= 0x9F || c == 0xFFFD)
        return {kControl, Glue::Never};
    if (c >= 0x2500 && c <= 0x25FF) // box drawing and blocks: DOS screens, never names
        return {kControl, Glue::Never};
    switch (c) {
    case 0x2019:
        return {kQuote, Glue::Apostrophe};
    case 0xAB:
    case 0xBB:
    case 0xA1:
    case 0xBF:
    case 0x2018:
    case 0x201A:
    case 0x201C:
    case 0x201D:
    case 0x201E:
        return {kQuote, Glue::InsideWord};
    case 0x2013:
    case 0x2014:
    case 0x2026:
        return {kDash, Glue::Always};
    case 0xA0:
    case 0xA9:
    case 0xAE:
    case 0xB0:
    case 0xB7:
    case 0x2116:
    case 0x2022:
        return {kTypographic, Glue::Always};
    default:
        return {kRareSymbol, Glue::Always};
    }
}

enum class Script { None, Latin, Cyrillic };

} // namespace

int TextCost(std::u32string_view text) {
    int cost = 0;
    int previous = kEdge;
    bool previousCapital = true;
    bool firstLetter = true;
    Script lastWord = Script::None;
    int lastWordLength = 0;
    Script word = Script::None;
    int wordLength = 0;
    const auto endWord = [&] {
        if (previous != kEdge)
            cost += kPairCost[previous * kLetterClasses + kEdge];
        if (word != Script::None) {
            if (lastWord != Script::None && lastWord != word)
                cost += kScriptSwitch * (lastWordLength == 1 || wordLength == 1 ? 2 : 1);
            lastWord = word;
            lastWordLength = wordLength;
        }
        word = Script::None;
        wordLength = 0;
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
            const bool beforeLetter =
                i + 1 < text.size() && Classify(text[i + 1]).cls != kNotALetter;
            if (symbol.glue == Glue::Always)
                cost += kGlued * (int{afterLetter} + int{beforeLetter});
            else if (symbol.glue == Glue::InsideWord && afterLetter && beforeLetter)
                cost += 2 * kGlued;
            if ((symbol.glue == Glue::InsideWord || symbol.glue == Glue::Apostrophe) &&
                !afterLetter && !beforeLetter)
                cost += 2 * kGlued;
            continue;
        }
        cost += kPairCost[previous * kLetterClasses + letter.cls];
        if (letter.capital && !previousCapital)
            cost += kCapitalAfterSmall;
        if (firstLetter && !letter.capital)
            cost += kSmallStart;
        firstLetter = false;
        if (word == Script::None)
            word = c < 0x0400 ? Script::Latin : Script::Cyrillic;
        ++wordLength;
        previous = letter.cls;
        previousCapital = letter.capital;
    }
    endWord();
    return cost;
}

} // namespace kivuna::textrepair
