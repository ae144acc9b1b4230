#include "platform/PictureLoader.h"
#include "TestSupport.h"
#include "platform/PngDecoder.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

using platform::LoadPicture;

class PictureLoader : public ::testing::Test {
  protected:
    void SetUp() override { platform::RegisterPngSupport(); }
    testsupport::TempFolder folder;
};

TEST_F(PictureLoader, PngFilesDecodeToTheSamePixelsAnyReaderSees) {
    EXPECT_EQ(platform::PictureFormatDescription(QStringLiteral("png")),
              "Portable Network Graphics");
    for (const char* name :
         {"Res/lock.png", "Res/lock_off_disabled_24.png", "editor/pictures/banner.png"}) {
        const QString path = testsupport::SourceDir() + u'/' + QString::fromLatin1(name);
        const QImage ours = LoadPicture(path);
        const QImage reference = QImage(path).convertToFormat(QImage::Format_RGBA8888);
        ASSERT_FALSE(reference.isNull()) << name;
        EXPECT_EQ(ours, reference) << name;
    }
    // Upper-case extensions are the same format.
    const QString upper = folder.Path(QStringLiteral("LOCK.PNG"));
    testsupport::WriteFile(
        upper, testsupport::ReadFile(testsupport::SourceDir() + QStringLiteral("/Res/lock.png")));
    EXPECT_EQ(LoadPicture(upper).size(), QSize(16, 16));
}

TEST_F(PictureLoader, BadFilesRaiseTheLoadersErrorsNamingTheFile) {
    const QByteArray png =
        testsupport::ReadFile(testsupport::SourceDir() + QStringLiteral("/Res/lock.png"));
    const QString truncated = folder.Path(QStringLiteral("truncated.png"));
    testsupport::WriteFile(truncated, png.left(png.size() / 2));
    const QString text = folder.Path(QStringLiteral("text.png"));
    testsupport::WriteFile(text, "not a picture at all");
    for (const QString& bad : {truncated, text}) {
        try {
            LoadPicture(bad);
            ADD_FAILURE() << "decoded " << bad.toStdString();
        } catch (const platform::EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message().contains(bad)) << e.Message().toStdString();
        }
    }
    try {
        LoadPicture(folder.Path(QStringLiteral("missing.png")));
        ADD_FAILURE() << "loaded a missing file";
    } catch (const platform::EFOpenError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot open file \"%1\". No such file or directory")
                                   .arg(folder.Path(QStringLiteral("missing.png"))));
    }
    QDir(folder.Root()).mkdir(QStringLiteral("dir.png"));
    EXPECT_THROW(LoadPicture(folder.Path(QStringLiteral("dir.png"))), platform::EFOpenError);
    EXPECT_THROW(LoadPicture(folder.Path(QStringLiteral("picture.gif"))),
                 platform::EInvalidGraphic);
}

} // namespace
