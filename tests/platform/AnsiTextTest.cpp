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

TEST(AnsiText, UnpairedSurrogatesBecomeQuestionMarks) {
    QString text = QStringLiteral("a");
    text.append(QChar(0xD800)); // high without low
    text.append(QChar(u'b'));
    text.append(QChar(0xDC00)); // low without high
    EXPECT_EQ(platform::ToAnsi(text), QByteArray("a?b?"));
}

} // namespace
