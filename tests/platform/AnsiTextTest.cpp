#include "platform/AnsiText.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiText, RoundTripsEveryPlaneLosslessly) {
    const QString text = QString::fromUtf8("Sigur Rós – Звезда 日本 🎵");
    const QByteArray ansi = platform::ToAnsi(text);
    EXPECT_EQ(ansi, text.toUtf8());
    EXPECT_EQ(platform::FromAnsi(ansi.constData()), text);
}

TEST(AnsiText, EmptyAndNullAreNeverNullPointersOrFailures) {
    const QByteArray empty = platform::ToAnsi(QString());
    ASSERT_NE(empty.constData(), nullptr);
    EXPECT_EQ(empty.constData()[0], '\0');
    EXPECT_TRUE(platform::FromAnsi(nullptr).isEmpty());
    EXPECT_TRUE(platform::FromAnsi("").isEmpty());
}

TEST(AnsiText, NamesThatAreNotUtf8MakeTheRoundTrip) {
    // Latin-1, a stray continuation byte, a cut sequence, an overlong form, an encoded surrogate.
    for (const QByteArray& bytes : {QByteArray("caf\xe9.mp3"),
                                    QByteArray("a\x80"
                                               "b"),
                                    QByteArray("\xd0"), QByteArray("\xc0\xaf"),
                                    QByteArray("\xed\xa0\x80"), QByteArray("\xd0\x9a\xff")})
        EXPECT_EQ(platform::ToAnsi(platform::FromAnsi(bytes.constData())), bytes)
            << bytes.toHex().constData();
    EXPECT_EQ(platform::FromAnsi("caf\xe9"), QStringLiteral("caf") + QChar(0xDCE9));
    EXPECT_EQ(platform::FromAnsi("\xd0\x9a\xff"), QStringLiteral("\u041a") + QChar(0xDCFF));
}

TEST(AnsiText, UnpairedSurrogatesBecomeQuestionMarks) {
    QString text = QStringLiteral("a");
    text.append(QChar(0xD800)); // high without low
    text.append(QChar(u'b'));
    text.append(QChar(0xDC00)); // low without high
    EXPECT_EQ(platform::ToAnsi(text), QByteArray("a?b?"));
}

} // namespace
