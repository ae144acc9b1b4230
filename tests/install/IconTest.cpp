#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace {

// Each menu icon is the rounded square of the drawing on a transparent ground: its corners must
// let the desktop show through, and its middle must be drawn.
TEST(IconTest, EverySizeHasTransparentCornersAndAnOpaqueMiddle) {
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon(
            QStringLiteral(KIVUNA_PACKAGING_DIR "/icons/org.kivuna.Kivuna-%1.png").arg(size));
        ASSERT_FALSE(icon.isNull());
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        // 14 of 256 lies outside the square's rounding at every size.
        const int in = size * 14 / 256;
        const int out = size - 1 - in;
        for (const QPoint corner :
             {QPoint(in, in), QPoint(out, in), QPoint(in, out), QPoint(out, out)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << corner.x() << ',' << corner.y();
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
}

} // namespace
