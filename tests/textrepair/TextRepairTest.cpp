// SPDX-License-Identifier: GPL-3.0-or-later
#include "textrepair/TextRepair.h"

#include <gtest/gtest.h>

namespace {

using namespace kivuna::textrepair;

// Garbled texts as tag readers show them, each with what it should read and how it was garbled.
struct Garbled {
    const char* shown;
    const char* meant;
    Damage damage;
};

constexpr Garbled kGarbled[] = {
    {"Ãðóïïà êðîâè", "Группа крови", Damage::Windows1251AsLatin1},
    {"ÄÄÒ", "ДДТ", Damage::Windows1251AsLatin1},
    {"çÒÕÐÐÁ ËÒÏ×É", "Группа крови", Damage::Koi8rAsLatin1},
    {"\u008A¨\u00AD®", "Кино", Damage::Cp866AsLatin1},
    // UTF-8 bytes shown as Latin-1 (C1 controls) and as Windows-1252.
    {"Ð\u0093Ñ\u0080Ñ\u0083Ð¿Ð¿Ð° ÐºÑ\u0080Ð¾Ð²Ð¸", "Группа крови", Damage::Utf8AsLatin1},
    {"Ð“Ñ€ÑƒÐ¿Ð¿Ð° ÐºÑ€Ð¾Ð²Ð¸", "Группа крови", Damage::Utf8AsLatin1},
    {"BjÃ¶rk", "Björk", Damage::Utf8AsLatin1},
    {"РћРєРµР°РЅ Р•Р»СЊР·Рё", "Океан Ельзи", Damage::Utf8AsWindows1251},
    {"мСРЙУ фТХВЕГЛПК", "Ляпис Трубецкой", Damage::Koi8rAsWindows1251},
    {"бНОКХ бХДНОКЪЯНБЮ", "Вопли Видоплясова", Damage::Windows1251AsKoi8r},
    {"ÃƒÃ°Ã³Ã¯Ã¯Ã\u00A0 ÃªÃ°Ã®Ã¢Ã¨", "Группа крови", Damage::TwoSteps},
    {"Sigur RÃƒÂ³s", "Sigur Rós", Damage::TwoSteps},
};

TEST(TextRepair, RepairsEachKindOfDamageAndTheRepairIsStable) {
    for (const Garbled& g : kGarbled) {
        SCOPED_TRACE(g.shown);
        const auto repair = Diagnose(g.shown);
        ASSERT_TRUE(repair.has_value());
        EXPECT_EQ(repair->text, g.meant);
        EXPECT_EQ(repair->damage, g.damage);
        EXPECT_EQ(RepairedText(g.shown), g.meant);
        EXPECT_EQ(RepairedText(repair->text), std::nullopt);
    }
}

TEST(TextRepair, LeavesCorrectTextAlone) {
    for (const char* text : {"Björk",
                             "Sigur Rós",
                             "Þursaflokkurinn",
                             "Dýrð í dauðaþögn",
                             "Motörhead",
                             "Ñandú",
                             "Crème Brûlée",
                             "Åse",
                             "Hymne à l'amour",
                             "Cœur de pirate",
                             "¿Dónde están los ladrones?",
                             "Группа крови",
                             "ДДТ",
                             "Любэ",
                             "АукцЫон",
                             "Океан Ельзи — Обійми",
                             "Ляпис Трубяцкі",
                             "Pavarotti - Вернись в Сорренто",
                             "«Кино»",
                             "Led Zeppelin",
                             "AC/DC",
                             ""}) {
        EXPECT_EQ(Diagnose(text), std::nullopt) << text;
    }
    // Not UTF-8: nothing to say about it here.
    EXPECT_EQ(RepairedText("\xC3\x28"), std::nullopt);
}

TEST(Codepages, DecodeAndEncodeTheKnownBytes) {
    const std::u32string groupa = U"Группа";
    EXPECT_EQ(Encode(groupa, Codepage::Windows1251), "\xC3\xF0\xF3\xEF\xEF\xE0");
    EXPECT_EQ(Encode(groupa, Codepage::Koi8r), "\xE7\xD2\xD5\xD0\xD0\xC1");
    EXPECT_EQ(Encode(groupa, Codepage::Cp866), "\x83\xE0\xE3\xAF\xAF\xA0");
    EXPECT_EQ(Decode("\xA8\xB2\xBA\xBF\xA5\xA1", Codepage::Windows1251), U"ЁІєїҐЎ");
    EXPECT_EQ(Decode("\xB3\xA3", Codepage::Koi8r), U"Ёё");
    EXPECT_EQ(Decode("\xF0\xF1\xF6\xF7", Codepage::Cp866), U"ЁёЎў");
    EXPECT_EQ(Decode("\x93\x80", Codepage::Windows1252), U"“€");
    // Unused places and letters without a byte.
    EXPECT_EQ(Decode("\x98", Codepage::Windows1251), std::nullopt);
    EXPECT_EQ(Encode(U"ї", Codepage::Koi8r), std::nullopt);
    EXPECT_EQ(Encode(U"Ж", Codepage::Latin1), std::nullopt);
    // Invalid UTF-8: overlong, a surrogate, cut short, a stray continuation byte.
    for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xD0", "a\x80"})
        EXPECT_EQ(DecodeUtf8(bad), std::nullopt);
    EXPECT_EQ(EncodeUtf8(*DecodeUtf8("Björk 😀")), "Björk 😀");
}

TEST(Id3v1, ReadsEachCodepage) {
    struct Field {
        const char* bytes;
        const char* reads;
        Codepage codepage;
    };
    const Field fields[] = {
        {"\xFC\x6E\xEF\x63\xF6\x64\xE9", "ünïcödé", Codepage::Latin1},
        {"\xC5\x73\x65", "Åse", Codepage::Latin1},
        {"Motorhead", "Motorhead", Codepage::Latin1},
        {"\xC3\xF0\xF3\xEF\xEF\xE0 \xEA\xF0\xEE\xE2\xE8", "Группа крови", Codepage::Windows1251},
        {"\xC4\xC4\xD2", "ДДТ", Codepage::Windows1251},
        {"Pavarotti - \xC2\xE5\xF0\xED\xE8\xF1\xFC \xE2 \xD1\xEE\xF0\xF0\xE5\xED\xF2\xEE",
         "Pavarotti - Вернись в Сорренто", Codepage::Windows1251},
        {"\xC0\xF0\xE8\xFF - Rock'n'Roll Star", "Ария - Rock'n'Roll Star", Codepage::Windows1251},
        {"\xE7\xD2\xD5\xD0\xD0\xC1 \xCB\xD2\xCF\xD7\xC9", "Группа крови", Codepage::Koi8r},
        {"\x83\xE0\xE3\xAF\xAF\xA0 \xAA\xE0\xAE\xA2\xA8", "Группа крови", Codepage::Cp866},
        {"\x8A\xA8\xAD\xAE", "Кино", Codepage::Cp866},
        {"Bj\xC3\xB6rk", "Björk", Codepage::Utf8},
    };
    for (const Field& f : fields) {
        SCOPED_TRACE(f.reads);
        EXPECT_EQ(Id3v1Reading(f.bytes), f.reads);
        EXPECT_EQ(Id3v1Codepage(f.bytes), f.codepage);
    }
    // A whole 30-byte field: cut at the NUL, trailing blanks trimmed.
    EXPECT_EQ(Id3v1Reading(std::string("\xCA\xE8\xED\xEE  \0garbage after the end...", 30)),
              "Кино");
}

TEST(Id3v1, BytesForAText) {
    const Id3v1Field cyrillic = Id3v1Bytes("Ария - Rock'n'Roll Star", 30);
    EXPECT_EQ(cyrillic.bytes, "\xC0\xF0\xE8\xFF - Rock'n'Roll Star");
    EXPECT_EQ(cyrillic.codepage, Codepage::Windows1251);
    EXPECT_TRUE(cyrillic.allCharacters && cyrillic.whole);

    const Id3v1Field latin = Id3v1Bytes("Björk", 30);
    EXPECT_EQ(latin.bytes, "Bj\xF6rk");
    EXPECT_EQ(latin.codepage, Codepage::Latin1);
    EXPECT_EQ(Id3v1Reading(latin.bytes), "Björk");

    const Id3v1Field cut = Id3v1Bytes("Звезда по имени Солнце", 10);
    EXPECT_EQ(cut.bytes, "\xC7\xE2\xE5\xE7\xE4\xE0 \xEF\xEE ");
    EXPECT_FALSE(cut.whole);
    EXPECT_TRUE(cut.allCharacters);

    const Id3v1Field neither = Id3v1Bytes("Björk - Кино", 30);
    EXPECT_EQ(neither.bytes, "Bj?rk - \xCA\xE8\xED\xEE");
    EXPECT_FALSE(neither.allCharacters);
}

} // namespace
