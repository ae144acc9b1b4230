#include "TagAccessFixture.h"

#include <QCryptographicHash>
#include <QJsonArray>

namespace {

using tagaccess::AudioFacts;

QString Sha1(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

class FileFactsTest : public TagAccessTest {
  protected:
    // A picture file of `size` bytes whose content tells it from the others.
    QString PictureFile(const QString& name, char fill, int size = 3000) {
        const QString path = folder.Path(name);
        testsupport::WriteFile(path, QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(size, fill));
        return path;
    }
    QJsonObject Picture(int type, const QString& mime, const QString& file) {
        return {{"type", type}, {"mime", mime}, {"file", file}};
    }
};

TEST_F(FileFactsTest, PicturesComeInTagOrderAndRemovalKeepsTheOtherTypes) {
    const QString back = PictureFile(QStringLiteral("back.png"), 'b');
    const QString front = PictureFile(QStringLiteral("front.png"), 'f', 70000);
    const QString path =
        Mp3({{"v1", QJsonObject{{"title", "V1"}}},
             {"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "T"}}},
                                {"pictures", QJsonArray{Picture(4, "image/png", back),
                                                        Picture(3, "image/jpeg", front)}}}}});
    auto pictures = id3.ReadPictures(path, true);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].type, 4);
    EXPECT_EQ(pictures[1].type, 3);
    EXPECT_EQ(pictures[1].mimeType, "image/jpeg");
    EXPECT_EQ(pictures[1].data, testsupport::ReadFile(front));

    const QByteArray record = testsupport::ReadFile(path).right(128);
    ASSERT_TRUE(id3.RemovePictures(path, tagaccess::kFrontCover, true));
    const QJsonObject frames = V2Frames(path);
    EXPECT_FALSE(frames.contains(u"APIC:1"));
    EXPECT_EQ(frames[u"APIC:0"].toObject()[u"sha1"].toString(), Sha1(testsupport::ReadFile(back)));
    EXPECT_EQ(frames[u"TIT2"].toString(), "T");
    EXPECT_TRUE(testsupport::ReadFile(path).endsWith(testsupport::SilentAudio() + record));

    pictures = id3.ReadPictures(path, true);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].type, 4);
    EXPECT_EQ(pictures[0].data, testsupport::ReadFile(back));
    EXPECT_TRUE(id3.ReadPictures(Mp3({}, QStringLiteral("bare.mp3")), true).empty());
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(FileFactsTest, AudioFactsOfConstantAndVariableBitrateFilesAndTagPlaces) {
    const QString path =
        Mp3({{"v1", QJsonObject{{"title", "V1"}}},
             {"v2", QJsonObject{{"version", 4}, {"frames", QJsonObject{{"TIT2", "T"}}}}}});
    const auto facts = id3.ReadAudioFacts(path, true);
    ASSERT_TRUE(facts.has_value());
    // 20 frames of 1152 samples at 44.1 kHz.
    EXPECT_NEAR(facts->lengthMs, 522, 1);
    EXPECT_EQ(facts->bitrate, 128);
    EXPECT_EQ(facts->sampleRate, 44100);
    EXPECT_FALSE(facts->vbr);
    EXPECT_EQ(facts->mpegVersion, 10);
    EXPECT_EQ(facts->layer, 3);
    EXPECT_EQ(facts->channelMode, 1);
    EXPECT_TRUE(facts->id3v1);
    EXPECT_EQ(facts->id3v2Version, 4);
    // The tag's size and what follows its one frame, as the bytes on disk show them.
    const QByteArray bytes = testsupport::ReadFile(path);
    const auto synchsafe = [&bytes](int at) {
        return (bytes[at] << 21) | (bytes[at + 1] << 14) | (bytes[at + 2] << 7) | bytes[at + 3];
    };
    ASSERT_EQ(bytes.mid(10, 4), "TIT2");
    const int tagSize = 10 + synchsafe(6);
    const int padding = tagSize - (20 + synchsafe(14));
    EXPECT_EQ(facts->id3v2Size, tagSize);
    EXPECT_EQ(facts->id3v2Padding, padding);

    // A Xing header in the first frame: 1000 frames in 626,939 bytes, 192 kbit/s on average.
    QByteArray audio = testsupport::SilentAudio();
    const QByteArray xing = QByteArray("Xing\0\0\0\x03", 8) + QByteArray("\0\0\x03\xE8", 4) +
                            QByteArray("\0\x09\x90\xFB", 4);
    audio.replace(36, xing.size(), xing);
    const QString vbr = folder.Path(QStringLiteral("vbr.mp3"));
    testsupport::WriteFile(vbr, audio);
    const auto vbrFacts = id3.ReadAudioFacts(vbr, true);
    ASSERT_TRUE(vbrFacts.has_value());
    EXPECT_TRUE(vbrFacts->vbr);
    EXPECT_NEAR(vbrFacts->bitrate, 192, 1);
    EXPECT_NEAR(vbrFacts->lengthMs, 26122, 2);
    EXPECT_EQ(vbrFacts->id3v2Version, 0);
    EXPECT_FALSE(vbrFacts->id3v1);
    // The same header named "Info" marks frames of one bitrate: no VBR, the length still from it,
    // the bitrate the frames' own. Its frame says plain stereo; the audio frames' joint stereo is
    // the file's mode.
    audio.replace(36, 4, "Info");
    audio[3] = char(0x04);
    testsupport::WriteFile(vbr, audio);
    const auto cbrFacts = id3.ReadAudioFacts(vbr, true);
    ASSERT_TRUE(cbrFacts.has_value());
    EXPECT_FALSE(cbrFacts->vbr);
    EXPECT_NEAR(cbrFacts->lengthMs, 26122, 2);
    EXPECT_EQ(cbrFacts->bitrate, 128);
    EXPECT_EQ(cbrFacts->channelMode, 1);

    // Frames of 128 and 320 kbit/s without a header: counted, 30 frames of 1152 samples.
    QByteArray mixed;
    for (int i = 0; i < 30; ++i) {
        const bool high = i % 3 == 1;
        QByteArray frame(high ? 1044 : 417, '\0');
        frame.replace(0, 4, QByteArray(high ? "\xFF\xFB\xE0\x64" : "\xFF\xFB\x90\x64", 4));
        mixed += frame;
    }
    testsupport::WriteFile(vbr, mixed);
    const auto counted = id3.ReadAudioFacts(vbr, true);
    ASSERT_TRUE(counted.has_value());
    EXPECT_TRUE(counted->vbr);
    EXPECT_EQ(counted->lengthMs, 30 * 1152 * 1000 / 44100);
    EXPECT_EQ(counted->bitrate, (mixed.size() * 8 + 391) / 783);

    const QString text = folder.Path(QStringLiteral("text.mp3"));
    testsupport::WriteFile(text, QByteArray(4000, 'x'));
    EXPECT_FALSE(id3.ReadAudioFacts(text, true).has_value());
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(FileFactsTest, FreeFormatAudioIsAnMp3WhoseTagsAndFactsWork) {
    // 40 free-format frames (no bitrate index: 1,306 bytes at 44.1 kHz is 400 kbit/s), behind an
    // ID3v2 tag, one frame padded.
    QByteArray audio;
    for (int i = 0; i < 40; ++i) {
        const bool padded = i == 7;
        QByteArray frame(padded ? 1307 : 1306, '\0');
        frame.replace(0, 4, QByteArray(padded ? "\xFF\xFB\x02\x64" : "\xFF\xFB\x00\x64", 4));
        audio += frame;
    }
    const QString path = folder.Path(QStringLiteral("free.mp3"));
    testsupport::WriteFile(path, audio);
    ASSERT_TRUE(id3.CreateEmptyTag(path, 2, true));
    ASSERT_TRUE(id3.WriteId3v2(path, {"Free", "Artist", "", "", "", "", "", ""}, true));
    ASSERT_TRUE(id3.SyncTags(path, 2, true));
    EXPECT_EQ(id3.ReadId3v1(path, true)[0], "Free");
    EXPECT_TRUE(testsupport::ReadFile(path).contains(audio));

    const auto facts = id3.ReadAudioFacts(path, true);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->bitrate, 400);
    EXPECT_EQ(facts->lengthMs, 40 * 1152 * 1000 / 44100);
    EXPECT_EQ(facts->sampleRate, 44100);
    EXPECT_EQ(facts->channelMode, 1);
    EXPECT_FALSE(facts->vbr);
    EXPECT_TRUE(facts->id3v1);
    EXPECT_TRUE(messages.Texts().isEmpty());
}

} // namespace
