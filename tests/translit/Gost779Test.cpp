#include "translit/Gost779.h"

#include <gtest/gtest.h>

namespace {

using translit::CyrillicToLatin;
using translit::LatinToCyrillic;

struct Spelled {
    const char* cyrillic;
    const char* latin;
};

// Real artist and title names, with the letters the system spells in two or three Latin letters,
// both spellings of ц, the signs, ё, capitals and text that is no Cyrillic.
constexpr Spelled kNames[] = {
    {"Виктор Цой", "Viktor Czoj"},
    {"Звезда по имени Солнце", "Zvezda po imeni Solnce"},
    {"Алла Пугачёва", "Alla Pugachyova"},
    {"Мумий Тролль", "Mumij Troll`"},
    {"Любэ", "Lyube`"},
    {"Чайф", "Chajf"},
    {"Король и Шут", "Korol` i Shut"},
    {"Всё идёт по плану", "Vsyo idyot po planu"},
    {"Хочешь?", "Xochesh`?"},
    {"Объект насмешек", "Ob``ekt nasmeshek"},
    {"Высоцкий", "Vy`soczkij"},
    {"Мельница", "Mel`nicza"},
    {"Ёлка", "Yolka"},
    {"Щедрик", "Shhedrik"},
    {"ЖЕНЯ ЩУКИН", "ZHENYA SHHUKIN"},
    {"ДДТ", "DDT"},
    {"Би-2", "Bi-2"},
    {"Наутилус Помпилиус (1987)", "Nautilus Pompilius (1987)"},
};

TEST(Gost779Test, RussianNamesSpellInSystemBAndComeBackUnchanged) {
    for (const Spelled& name : kNames) {
        const QString cyrillic = QString::fromUtf8(name.cyrillic);
        const QString latin = CyrillicToLatin(cyrillic);
        EXPECT_EQ(latin, QString::fromLatin1(name.latin)) << name.cyrillic;
        EXPECT_EQ(LatinToCyrillic(latin), cyrillic) << name.latin;
    }
}

TEST(Gost779Test, LatinTextStaysLatinOneWayAndTakesLongestSpellingsTheOther) {
    EXPECT_EQ(CyrillicToLatin("AC/DC - Highway to Hell"), "AC/DC - Highway to Hell");
    EXPECT_EQ(CyrillicToLatin("Кино / Kino"), "Kino / Kino");
    // "shh" before "sh" before "s"; "cz" and a "c" before e, i, y, j are ц, any other "c" stays.
    EXPECT_EQ(LatinToCyrillic("shhshs"), QString::fromUtf8("щшс"));
    EXPECT_EQ(LatinToCyrillic("Czar cirk Coca"), QString::fromUtf8("Цар цирк C\u043Ec\u0430"));
    EXPECT_EQ(LatinToCyrillic("Zemfira - Xochesh`"), QString::fromUtf8("Земфира - Хочешь"));
    // Letters outside the system stay Latin: h, q, w and a "y" that starts no spelling.
    EXPECT_EQ(LatinToCyrillic("Hqwy 2"), QString::fromUtf8("Hqwy 2"));
    EXPECT_EQ(LatinToCyrillic(QString::fromUtf8("Уже кириллица")),
              QString::fromUtf8("Уже кириллица"));
}

// Ukrainian and Belarusian names: every letter in Latin, and back, but "і", which comes back as
// the Russian "и".
TEST(Gost779Test, UkrainianAndBelarusianLettersSpellInSystemB) {
    const Spelled names[] = {{"Гадюкіни", "Gadyukini"},
                             {"Їжак і Єва", "Yizhak i Yeva"},
                             {"Ґанок", "G`anok"},
                             {"Ўладзімір", "U`ladzimir"},
                             {"ЄВРОБАЧЕННЯ", "YEVROBACHENNYA"}};
    for (const Spelled& name : names)
        EXPECT_EQ(CyrillicToLatin(QString::fromUtf8(name.cyrillic)),
                  QString::fromLatin1(name.latin))
            << name.cyrillic;
    EXPECT_EQ(LatinToCyrillic("Yizhak Yeva G`anok U`ladzimir"),
              QString::fromUtf8("Їжак Єва Ґанок Ўладзимир"));
}

} // namespace
