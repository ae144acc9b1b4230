#include "platform/RuntimeText.h"

#include <gtest/gtest.h>

namespace {

using platform::EConvertError;
using platform::StrToInt;

TEST(RuntimeText, TrimRemovesOnlyCodesUpTo32) {
    EXPECT_EQ(platform::Trim(QStringLiteral(" \t\r\n\x01word two \x1f ")),
              QStringLiteral("word two"));
    EXPECT_EQ(platform::Trim(QStringLiteral("   ")), QString());
    // A no-break space (160) is not a blank here.
    EXPECT_EQ(platform::Trim(QString(QChar(160)) + u'x'), QString(QChar(160)) + u'x');
}

TEST(RuntimeText, StrToIntAcceptsSignedDecimalsOfThe32BitRange) {
    EXPECT_EQ(StrToInt(QStringLiteral("0")), 0);
    EXPECT_EQ(StrToInt(QStringLiteral("007")), 7);
    EXPECT_EQ(StrToInt(QStringLiteral("+300")), 300);
    EXPECT_EQ(StrToInt(QStringLiteral("-1")), -1);
    EXPECT_EQ(StrToInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(StrToInt(QStringLiteral("-2147483648")), INT32_MIN);
}

TEST(RuntimeText, StrToIntRejectsEverythingElseNamingTheText) {
    for (const char* bad : {"", " 7", "7 ", "+", "-", "3/12", "1e3", "0x10", "2147483648",
                            "-2147483649", "99999999999999999999", "٣"}) {
        try {
            StrToInt(QString::fromUtf8(bad));
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(
                e.Message(),
                QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(bad)));
        }
    }
}

TEST(RuntimeText, CompareTextFoldsOnlyAsciiLetters) {
    EXPECT_EQ(platform::CompareText(QStringLiteral("Track.MP3"), QStringLiteral("track.mp3")), 0);
    EXPECT_LT(platform::CompareText(QStringLiteral("abc"), QStringLiteral("ABD")), 0);
    EXPECT_GT(platform::CompareText(QStringLiteral("abcd"), QStringLiteral("ABC")), 0);
    EXPECT_NE(platform::CompareText(QStringLiteral("É"), QStringLiteral("é")), 0);
    // Letters compare as upper case, so "_" (95) sorts after "A" but before "a" would.
    EXPECT_GT(platform::CompareText(QStringLiteral("_"), QStringLiteral("a")), 0);
}

TEST(RuntimeText, LowerCaseFoldsOnlyAsciiAndIntToStrIsDecimal) {
    EXPECT_EQ(platform::LowerCaseAscii(QStringLiteral("Cover.JPG ÄÖ Ж")),
              QStringLiteral("cover.jpg ÄÖ Ж"));
    EXPECT_EQ(platform::IntToStr(-44), QStringLiteral("-44"));
    EXPECT_EQ(platform::IntToStr(INT32_MIN), QStringLiteral("-2147483648"));
}

} // namespace
