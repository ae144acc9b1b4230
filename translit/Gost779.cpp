#include "Gost779.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace translit {
namespace {

// The Latin spelling of а to я (U+0430 to U+044F), then of ё; ц has two spellings (below).
constexpr std::array<std::string_view, 32> kLowerSpellings = {
    "a", "b", "v", "g", "d", "e", "zh", "z",  "i",  "j",   "k",  "l",  "m", "n",  "o",  "p",
    "r", "s", "t", "u", "f", "x", "cz", "ch", "sh", "shh", "``", "y`", "`", "e`", "yu", "ya"};
constexpr std::string_view kYo = "yo";
constexpr char16_t kCyrillicA = u'а';
constexpr char16_t kCyrillicYo = u'ё';
constexpr char16_t kCyrillicTse = u'ц';
constexpr int kUpperOffset = u'а' - u'А';

// Ukrainian and Belarusian letters the Russian alphabet lacks, with their System B spellings. All
// but "і" come back from Latin; "i" stays "и", the Russian reading.
struct OtherLetter {
    char16_t lower;
    char16_t upper;
    std::string_view latin;
};
constexpr std::array<OtherLetter, 5> kOtherLetters = {{{u'і', u'І', "i"},
                                                       {u'ї', u'Ї', "yi"},
                                                       {u'є', u'Є', "ye"},
                                                       {u'ґ', u'Ґ', "g`"},
                                                       {u'ў', u'Ў', "u`"}}};

const OtherLetter* OtherLetterOf(char16_t c) {
    for (const OtherLetter& letter : kOtherLetters) {
        if (letter.lower == c || letter.upper == c)
            return &letter;
    }
    return nullptr;
}

// A letter whose System B spelling starts with one of these makes ц a plain "c".
bool SoftensTse(QChar latinStart) {
    const char16_t c = latinStart.toLower().unicode();
    return c == u'e' || c == u'i' || c == u'y' || c == u'j';
}

bool IsCyrillicLower(char16_t c) {
    const OtherLetter* other = OtherLetterOf(c);
    return (c >= kCyrillicA && c < kCyrillicA + 32) || c == kCyrillicYo ||
           (other != nullptr && other->lower == c);
}

char16_t ToLowerCyrillic(char16_t c) {
    if (c >= u'А' && c <= u'Я')
        return char16_t(c + kUpperOffset);
    if (const OtherLetter* other = OtherLetterOf(c))
        return other->lower;
    return c == u'Ё' ? kCyrillicYo : c;
}

char16_t ToUpperCyrillic(char16_t lower) {
    if (lower >= kCyrillicA && lower < kCyrillicA + 32)
        return char16_t(lower - kUpperOffset);
    if (const OtherLetter* other = OtherLetterOf(lower))
        return other->upper;
    return lower == kCyrillicYo ? u'Ё' : lower;
}

std::string_view Spelling(char16_t lower) {
    if (const OtherLetter* other = OtherLetterOf(lower))
        return other->latin;
    return lower == kCyrillicYo ? kYo : kLowerSpellings[size_t(lower - kCyrillicA)];
}

bool IsUpperLetter(const QString& text, qsizetype at) {
    return at >= 0 && at < text.size() && text[at].isLetter() && text[at].isUpper();
}

// An upper-case letter spells in capitals inside an all-capitals word ("ЩИ" -> "SHHI") and with
// only its first letter capital otherwise ("Щи" -> "Shhi").
bool InCapitals(const QString& text, qsizetype at) {
    if (at + 1 < text.size() && text[at + 1].isLetter())
        return text[at + 1].isUpper();
    return IsUpperLetter(text, at - 1);
}

void AppendSpelling(QString& out, std::string_view spelling, bool upper, bool capitals) {
    for (size_t k = 0; k < spelling.size(); ++k) {
        const QChar c = QLatin1Char(spelling[k]);
        out += (upper && (k == 0 || capitals)) ? c.toUpper() : c;
    }
}

// The next Cyrillic letter's spelling decides between "c" and "cz".
std::string_view TseSpelling(const QString& text, qsizetype at) {
    if (at + 1 < text.size()) {
        const char16_t next = ToLowerCyrillic(text[at + 1].unicode());
        if (IsCyrillicLower(next) && SoftensTse(QLatin1Char(Spelling(next)[0])))
            return "c";
    }
    return "cz";
}

// The Cyrillic letter of a spelling, for the reverse table.
struct Reverse {
    std::string_view latin;
    char16_t cyrillic;
};

// Every spelling of the system, longest first, so "shh" is tried before "sh" and "s".
std::vector<Reverse> ReverseTable() {
    std::vector<Reverse> table;
    for (size_t i = 0; i < kLowerSpellings.size(); ++i)
        table.push_back({kLowerSpellings[i], char16_t(kCyrillicA + i)});
    table.push_back({kYo, kCyrillicYo});
    for (const OtherLetter& letter : kOtherLetters) {
        if (letter.latin != "i")
            table.push_back({letter.latin, letter.lower});
    }
    std::stable_sort(table.begin(), table.end(), [](const Reverse& a, const Reverse& b) {
        return a.latin.size() > b.latin.size();
    });
    return table;
}

bool MatchesAt(const QString& text, qsizetype at, std::string_view latin) {
    if (at + qsizetype(latin.size()) > text.size())
        return false;
    for (size_t k = 0; k < latin.size(); ++k) {
        if (text[at + qsizetype(k)].toLower() != QLatin1Char(latin[k]))
            return false;
    }
    return true;
}

} // namespace

QString CyrillicToLatin(const QString& text) {
    QString out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t lower = ToLowerCyrillic(c);
        if (!IsCyrillicLower(lower)) {
            out += text[i];
            continue;
        }
        const std::string_view spelling =
            lower == kCyrillicTse ? TseSpelling(text, i) : Spelling(lower);
        AppendSpelling(out, spelling, lower != c, InCapitals(text, i));
    }
    return out;
}

QString LatinToCyrillic(const QString& text) {
    static const std::vector<Reverse> table = ReverseTable();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const Reverse* found = nullptr;
        for (const Reverse& entry : table) {
            if (MatchesAt(text, i, entry.latin)) {
                found = &entry;
                break;
            }
        }
        // A lone "c" is "ц" only where the system writes it so, before e, i, y or j.
        const bool softTse =
            text[i].toLower() == u'c' && i + 1 < text.size() && SoftensTse(text[i + 1]);
        if (found == nullptr && !softTse) {
            out += text[i++];
            continue;
        }
        const char16_t lower = found != nullptr ? found->cyrillic : kCyrillicTse;
        const bool upper = text[i].isUpper();
        out += QChar(upper ? ToUpperCyrillic(lower) : lower);
        i += found != nullptr ? qsizetype(found->latin.size()) : 1;
    }
    return out;
}

} // namespace translit
