#include "platform/RuntimeText.h"
#include "tagaccess/GenreTable.h"
#include "tagaccess/TagSteps.h"

#include <gtest/gtest.h>

namespace {

using tagaccess::GenreNumber;
using tagaccess::TagFields;
using tagaccess::TheGenreTable;
namespace steps = tagaccess::steps;

TEST(GenreTable, NamesMatchWholeTextsWithOnlyAsciiFolded) {
    const auto& table = TheGenreTable();
    EXPECT_EQ(&table, &TheGenreTable()) << "one table for the whole process";
    EXPECT_EQ(GenreNumber(QStringLiteral("Blues"), table), 0);
    EXPECT_EQ(GenreNumber(QStringLiteral("rock"), table), 17);
    EXPECT_EQ(GenreNumber(QStringLiteral("ROCK"), table), 17);
    EXPECT_EQ(GenreNumber(QStringLiteral(" Rock "), table), 17) << "blanks are ignored next";
    EXPECT_EQ(GenreNumber(QStringLiteral("Rave"), table), 68);
    EXPECT_EQ(GenreNumber(QStringLiteral("Showtunes"), table), 69);
    EXPECT_EQ(GenreNumber(QStringLiteral("Trailer"), table), 70);
    EXPECT_EQ(GenreNumber(QStringLiteral("Thrash Metal"), table), 144);
    EXPECT_EQ(GenreNumber(QStringLiteral("Drum&Bass"), table), 127);
    EXPECT_EQ(GenreNumber(QStringLiteral("drum & bass"), table), 127);
    EXPECT_EQ(GenreNumber(QStringLiteral("PolskPunk"), table), 134);
    EXPECT_EQ(GenreNumber(QStringLiteral("Polsk Punk"), table), 134);
    EXPECT_EQ(GenreNumber(QStringLiteral("Hip Hop"), table), 255);
    EXPECT_EQ(GenreNumber(QString(), table), 255);
}

TEST(GenreTable, NumericReferencesOfZeroTo191KeepTheirNumber) {
    const auto& table = TheGenreTable();
    const std::pair<const char*, int> cases[] = {
        {"17", 17},     {"(17)", 17}, {"0", 0},       {"(0)", 0},       {"191", 191},
        {"(145)", 145}, {"192", 255}, {"(255)", 255}, {"(17", 255},     {"17)", 255},
        {"()", 255},    {"-1", 255},  {"1000", 255},  {"(17)Rock", 255}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(GenreNumber(QString::fromLatin1(text), table), number) << text;
}

TEST(GenreTable, EveryNameIsDistinctAndFindsItsOwnNumber) {
    const auto& table = TheGenreTable();
    for (size_t number = 0; number < table.size(); ++number) {
        ASSERT_FALSE(table[number].isEmpty());
        EXPECT_EQ(GenreNumber(table[number], table), number) << table[number].toStdString();
    }
}

TEST(TrackConversion, Id3v1ByteKeepsOnlyRealTrackNumbers) {
    EXPECT_EQ(steps::TrackByte(QStringLiteral("7")), 7);
    EXPECT_EQ(steps::TrackByte(QStringLiteral("255")), 255);
    EXPECT_EQ(steps::TrackByte(QStringLiteral("300")), 0);
    EXPECT_EQ(steps::TrackByte(QStringLiteral("256")), 0);
    EXPECT_EQ(steps::TrackByte(QStringLiteral("-1")), 0);
    EXPECT_THROW(steps::TrackByte(QString()), platform::EConvertError);
    EXPECT_THROW(steps::TrackByte(QStringLiteral("3/12")), platform::EConvertError);
}

TEST(TrackConversion, Id3v2TextGivesTheNumberBeforeTheSlash) {
    EXPECT_EQ(steps::TrackNumber(QStringLiteral("07")), 7);
    EXPECT_EQ(steps::TrackNumber(QStringLiteral("3/12")), 3);
    EXPECT_EQ(steps::TrackNumber(QStringLiteral("07/12")), 7);
    EXPECT_EQ(steps::TrackNumber(QStringLiteral("A5")), 5);
    EXPECT_EQ(steps::TrackNumber(QStringLiteral("/12")), 0);
    EXPECT_EQ(steps::TrackNumber(QStringLiteral("none")), 0);
    EXPECT_EQ(steps::TrackNumber(QString()), 0);
    EXPECT_EQ(steps::TrackNumber(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(steps::TrackNumber(QStringLiteral("2147483648")), 0);
    EXPECT_EQ(steps::TrackNumber(QStringLiteral("99999999999999999999/3")), 0);
}

TEST(Merge, TrimmedTextsMergeFieldByFieldWithThePreferredVersionWinningTies) {
    const TagFields v1 = {"  Word  ", "One", "", " \t ", "Rock", "3", "v1 comment"};
    const TagFields v2 = {"", "Two", "Album", "  ", "Pop", "", "\tv2 comment\n"};
    const TagFields preferV2 = {"Word", "Two", "Album", "", "Pop", "3", "v2 comment"};
    const TagFields preferV1 = {"Word", "One", "Album", "", "Rock", "3", "v1 comment"};
    EXPECT_EQ(steps::MergeFields(v1, v2, 2), preferV2);
    for (const int8_t other : {int8_t(1), int8_t(0), int8_t(-2), int8_t(127)})
        EXPECT_EQ(steps::MergeFields(v1, v2, other), preferV1) << int(other);
}

TEST(Merge, TrackZeroIsNoTrackAndNeverBeatsARealNumber) {
    const auto track = [](const char* one, const char* two, int8_t preferred) {
        return steps::MergeFields({"", "", "", "", "", one, ""}, {"", "", "", "", "", two, ""},
                                  preferred)[tagaccess::kTrack];
    };
    EXPECT_EQ(track("3", "0", 2), "3");
    EXPECT_EQ(track("0", " 5 ", 1), "5");
    EXPECT_EQ(track("0", "0", 2), "0");
    EXPECT_EQ(track("4", "9", 2), "9");
}

} // namespace
