// The picture box, "OTHER INFO:" and the tag-info window, checked against the files on disk.
#include "EditorFixture.h"
#include "QuestionAnswers.h"

#include "platform/PictureBox.h"

#include <QAction>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QLabel>
#include <QRadioButton>
#include <QTextBrowser>
#include <map>

namespace {

class CoverTest : public EditorTest {
  protected:
    // A real picture file of one colour, written by Qt's own encoders.
    QString PictureFile(const QString& name, const char* format, QColor colour) {
        QImage image(64, 32, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = folder.Path(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    QString WithCover(const QString& pictureFile, const QString& name = "song.mp3") {
        return Mp3(
            {{"v1", QJsonObject{{"title", "V1"}}},
             {"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "V2"}}},
                                {"pictures", QJsonArray{QJsonObject{{"type", 3},
                                                                    {"mime", "image/png"},
                                                                    {"file", pictureFile}}}}}}},
            name);
    }
    const QImage& Shown() { return Control<platform::PictureBox>("Image1")->Picture(); }
    QJsonObject Pictures(const QString& path) {
        QJsonObject pictures;
        const QJsonObject frames = tagfiles::ReadTags(path)[u"v2"].toObject()[u"frames"].toObject();
        for (auto it = frames.begin(); it != frames.end(); ++it) {
            if (it.key().startsWith(u"APIC"))
                pictures.insert(it.key(), it.value());
        }
        return pictures;
    }
    static QString Sha1(const QString& file) {
        return QString::fromLatin1(
            QCryptographicHash::hash(testsupport::ReadFile(file), QCryptographicHash::Sha1)
                .toHex());
    }
    bool AudioKept(const QString& path) {
        const QByteArray bytes = testsupport::ReadFile(path);
        return bytes.chopped(128).endsWith(testsupport::SilentAudio());
    }
};

TEST_F(CoverTest, TheFrontCoverShowsForId3v2OnlyAndLoadDeleteAndCancelChangeItOnSave) {
    const QString stored = PictureFile("stored.png", "PNG", Qt::red);
    const QString path = WithCover(stored);
    Open(path);
    EXPECT_TRUE(Shown().isNull()) << "ID3v1 has no pictures";
    Control<QAction>("ViewId3v2")->trigger();
    EXPECT_TRUE(Control<QRadioButton>("RadioButton2")->isChecked());
    ASSERT_FALSE(Shown().isNull());
    EXPECT_EQ(Shown().pixelColor(0, 0), QColor(Qt::red));

    // Load shows the new picture at once; Cancel brings the stored one back.
    const QString chosen = PictureFile("chosen.jpg", "JPG", Qt::blue);
    Click("Label17");
    dialogs.answer = chosen;
    Click("BitBtn1");
    EXPECT_EQ(dialogs.requests.back().filter, "Pictures (*.jpg *.jpeg *.png)");
    EXPECT_EQ(dialogs.requests.back().startFolder, QFileInfo(path).absolutePath());
    EXPECT_NE(Shown().pixelColor(0, 0), QColor(Qt::red));
    Click("SpeedButton3");
    EXPECT_EQ(Shown().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(Pictures(path)[u"APIC:0"].toObject()[u"sha1"].toString(), Sha1(stored));

    // Load then Save replaces the front cover with the file's bytes.
    Click("BitBtn1");
    Click("SpeedButton2");
    QJsonObject pictures = Pictures(path);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures.begin()->toObject()[u"sha1"].toString(), Sha1(chosen));
    EXPECT_EQ(pictures.begin()->toObject()[u"mime"].toString(), "image/jpeg");
    EXPECT_EQ(pictures.begin()->toObject()[u"type"].toInt(), 3);
    EXPECT_FALSE(Shown().isNull());
    EXPECT_TRUE(AudioKept(path));

    // Delete empties the box; Save removes the cover and keeps the texts.
    Click("BitBtn2");
    EXPECT_TRUE(Shown().isNull());
    Click("SpeedButton2");
    EXPECT_TRUE(Pictures(path).isEmpty());
    EXPECT_EQ(tagfiles::ReadTags(path)[u"v2"].toObject()[u"frames"].toObject()[u"TIT2"], "V2");
    EXPECT_TRUE(Shown().isNull());
    EXPECT_TRUE(AudioKept(path));
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(CoverTest, PicturesThatDoNotDecodeShowNothingAndNoneIsLoadedFromThem) {
    const QString garbage = folder.Path("garbage.png");
    testsupport::WriteFile(garbage, QByteArray("\x89PNG\r\n\x1a\n but nothing more", 25));
    const QString path = WithCover(garbage);
    Control<QRadioButton>("RadioButton2")->click();
    Open(path);
    EXPECT_TRUE(Shown().isNull());
    EXPECT_TRUE(messages.Texts().isEmpty());

    Click("Label17");
    const QByteArray before = testsupport::ReadFile(path);
    dialogs.answer = garbage;
    Click("BitBtn1");
    Click("SpeedButton2");
    EXPECT_EQ(testsupport::ReadFile(path), before);
    EXPECT_EQ(messages.Texts(), QStringList{"\"garbage.png\" is not a JPEG or PNG picture."});
}

// Pictures by type and sha1, as the independent reader sees them.
std::multimap<int, QString> ByType(const QJsonObject& pictures) {
    std::multimap<int, QString> types;
    for (const QJsonValue picture : pictures)
        types.emplace(picture[u"type"].toInt(), picture[u"sha1"].toString());
    return types;
}

TEST_F(CoverTest, APictureChosenIsStoredOrTheSaveSaysWhyAndKeepsEverythingTyped) {
    const auto picture = [&](int type, const QString& file) {
        return QJsonObject{{"type", type}, {"mime", "image/png"}, {"file", file}};
    };
    const QString front = PictureFile("front.png", "PNG", Qt::red);
    const QString back = PictureFile("back.png", "PNG", Qt::green);
    const QString path =
        Mp3({{"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "V2"}}},
                                {"pictures", QJsonArray{picture(3, front), picture(4, back),
                                                        picture(8, back)}}}}});
    Control<QRadioButton>("RadioButton2")->click();
    Open(path);
    Click("Label17");

    // Delete, then Load a PNG named .jpg, then Save: the new cover, told by its bytes, takes the
    // old one's place; the picture file is gone by then, and the others stay.
    Click("BitBtn2");
    const QString chosen = PictureFile("chosen.jpg", "PNG", Qt::yellow);
    const QString chosenSha1 = Sha1(chosen);
    dialogs.answer = chosen;
    Click("BitBtn1");
    ASSERT_TRUE(QFile::remove(chosen));
    Click("SpeedButton2");
    EXPECT_EQ(ByType(Pictures(path)),
              (std::multimap<int, QString>{{3, chosenSha1}, {4, Sha1(back)}, {8, Sha1(back)}}));
    for (const QJsonValue stored : Pictures(path)) {
        if (stored[u"type"].toInt() == 3) {
            EXPECT_EQ(stored[u"mime"].toString(), "image/png");
        }
    }
    EXPECT_EQ(Shown().pixelColor(0, 0), QColor(Qt::yellow));
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join(u'\n').toStdString();

    // No JPEG or PNG by its bytes, or too large for a tag: refused at Load, saying why.
    const QString gif = folder.Path("anim.jpg");
    testsupport::WriteFile(gif, QByteArray("GIF89a\x01\0\x01\0\x80\0\0\0\0\0\xff\xff\xff!\xf9\x04"
                                           "\x01\0\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02D\x01\0;",
                                           43));
    const QString huge = folder.Path("huge.png");
    testsupport::WriteFile(huge, QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(17 << 20, '\0'));
    for (const QString& file : {gif, huge}) {
        dialogs.answer = file;
        Click("BitBtn1");
    }
    EXPECT_EQ(messages.Texts(),
              (QStringList{"\"anim.jpg\" is not a JPEG or PNG picture.",
                           "\"huge.png\" is larger than 16 MB, the most a tag takes."}));
    EXPECT_EQ(Shown().pixelColor(0, 0), QColor(Qt::yellow));

    // A save that fails says so and keeps what was typed and chosen on screen.
    Control<QLineEdit>("Edit2")->setText("Typed");
    dialogs.answer = front;
    Click("BitBtn1");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    const QByteArray before = testsupport::ReadFile(path);
    Click("SpeedButton2");
    EXPECT_EQ(messages.Texts().last(), "Error saving ID3v2 Tag!");
    EXPECT_EQ(testsupport::ReadFile(path), before);
    EXPECT_EQ(Control<QLineEdit>("Edit2")->text(), "Typed");
    EXPECT_EQ(Shown().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(form->EditMode);
}

TEST_F(CoverTest, APictureThatDoesNotDecodeHidesNoneAndDeleteCountsWhatItRemoves) {
    const QString garbage = folder.Path("garbage.png");
    testsupport::WriteFile(garbage, QByteArray("\x89PNG\r\n\x1a\n but nothing more", 25));
    const QString back = PictureFile("back.png", "PNG", Qt::green);
    const QString path =
        Mp3({{"v2",
              QJsonObject{
                  {"pictures",
                   QJsonArray{QJsonObject{{"type", 3}, {"mime", "image/png"}, {"file", garbage}},
                              QJsonObject{{"type", 4}, {"mime", "image/png"}, {"file", back}},
                              QJsonObject{{"type", 4}, {"mime", "image/png"}, {"file", back}}}}}}});
    Control<QRadioButton>("RadioButton2")->click();
    Open(path);
    EXPECT_EQ(Shown().pixelColor(0, 0), QColor(Qt::green)) << "the back cover shows";
    Click("Label17");
    QuestionAnswers answers;
    answers.yes = false;
    Click("BitBtn2");
    EXPECT_EQ(answers.asked, QStringList{"Delete the 2 back cover pictures?"});
    EXPECT_FALSE(Shown().isNull());
    answers.yes = true;
    Click("BitBtn2");
    // Then the front cover that does not decode.
    Click("BitBtn2");
    EXPECT_EQ(answers.asked.size(), 2);
    Click("SpeedButton2");
    EXPECT_TRUE(Pictures(path).isEmpty());
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join(u'\n').toStdString();
}

TEST_F(CoverTest, OtherInfoAndTagInfoDescribeTheOpenFileAndNothingForOtherFiles) {
    const QString path = Mp3({{"v1", QJsonObject{{"title", "V1"}}},
                              {"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "V2"}}}}}});
    Open(path);
    // 20 frames of 26 ms each.
    EXPECT_EQ(Control<QLabel>("Label11")->text(), "[0:01]");
    EXPECT_EQ(Control<QLabel>("Label13")->text(), "[128 kbps]");
    EXPECT_EQ(Control<QLabel>("Label15")->text(), "[44100 Hz]");

    Control<QAction>("aginfo1")->trigger();
    auto* window = form->findChild<QWidget*>("TagInfoWindow");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    const QString info = window->findChild<QTextBrowser*>()->toPlainText();
    for (const char* line : {"MPEG version: 1, Layer 3", "Channel mode: Joint stereo",
                             "ID3v1 tag: present", "ID3v2 tag: version 2.3"})
        EXPECT_TRUE(info.contains(QString::fromUtf8(line))) << line << "\n" << info.toStdString();

    const QString text = folder.Path("notes.mp3");
    testsupport::WriteFile(text, QByteArray(3000, 'x'));
    Open(text);
    for (const char* label : {"Label11", "Label13", "Label15"})
        EXPECT_EQ(Control<QLabel>(label)->text(), "[          ]") << label;
    Control<QAction>("aginfo1")->trigger();
    EXPECT_TRUE(
        window->findChild<QTextBrowser*>()->toPlainText().contains("Not an MPEG audio file."));
    EXPECT_TRUE(messages.Texts().isEmpty());
}

} // namespace
