#include "TagAccessFixture.h"

#include <QFile>
#include <unistd.h>

namespace {

const QJsonObject kBothTags{
    {"v1", QJsonObject{{"title", "Old V1"}, {"track", 2}, {"genre", 17}}},
    {"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "Old V2"}, {"TPE1", "Artist"}}}}}};

// The last 128 bytes: the ID3v1 record.
QByteArray Tail(const QString& path) {
    return testsupport::ReadFile(path).right(128);
}

TEST_F(TagAccessTest, RemovingATagLeavesTheAudioAndTheOtherTag) {
    const QString path = Mp3(kBothTags);
    const QByteArray record = Tail(path);
    ASSERT_TRUE(id3.RemoveId3v2(path, true));
    EXPECT_EQ(testsupport::ReadFile(path), testsupport::SilentAudio() + record);
    EXPECT_EQ(V1(path)[u"title"].toString(), "Old V1");
    ASSERT_TRUE(id3.RemoveId3v1(path, true));
    EXPECT_EQ(testsupport::ReadFile(path), testsupport::SilentAudio());

    // The other order, through a second (hard) link: the file is rewritten in place, not replaced.
    const QString other = Mp3(kBothTags, QStringLiteral("other.mp3"));
    const QString link = folder.Path(QStringLiteral("link.mp3"));
    ASSERT_EQ(::link(QFile::encodeName(other).constData(), QFile::encodeName(link).constData()), 0);
    const QByteArray front = testsupport::ReadFile(other).chopped(128);
    ASSERT_TRUE(id3.RemoveId3v1(link, true));
    EXPECT_EQ(testsupport::ReadFile(other), front);
    EXPECT_EQ(V2Frames(other)[u"TIT2"].toString(), "Old V2");
    ASSERT_TRUE(id3.RemoveId3v2(link, true));
    EXPECT_EQ(testsupport::ReadFile(other), testsupport::SilentAudio());

    // Removing what is not there succeeds and writes nothing.
    EXPECT_TRUE(id3.RemoveId3v1(path, true));
    EXPECT_TRUE(id3.RemoveId3v2(path, true));
    EXPECT_EQ(testsupport::ReadFile(path), testsupport::SilentAudio());
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagAccessTest, RemovingFromAFileThatIsNoWritableMp3FailsAndSaysSo) {
    const QString text = folder.Path(QStringLiteral("notes.mp3"));
    // Text whose last 128 bytes start like an ID3v1 record: still no MP3.
    const QByteArray notes = QByteArray(200, 'x') + "TAG" + QByteArray(125, ' ');
    testsupport::WriteFile(text, notes);
    EXPECT_FALSE(id3.RemoveId3v1(text, true));
    EXPECT_EQ(testsupport::ReadFile(text), notes);
    const QString locked = Mp3(kBothTags, QStringLiteral("locked.mp3"));
    const QByteArray before = testsupport::ReadFile(locked);
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadUser));
    EXPECT_FALSE(id3.RemoveId3v2(locked, true));
    EXPECT_FALSE(id3.RemoveId3v1(locked, false));
    EXPECT_EQ(testsupport::ReadFile(locked), before);
    EXPECT_EQ(
        messages.Texts(),
        (QStringList{
            QStringLiteral("The ID3v1 tag could not be removed from \"%1\".").arg(text),
            QStringLiteral("The ID3v2 tag could not be removed from \"%1\": Permission denied.")
                .arg(locked)}));
}

TEST_F(TagAccessTest, CreatingAnEmptyTagGivesItOnlyToAFileWithoutOne) {
    const QString path = Mp3();
    ASSERT_TRUE(id3.CreateEmptyTag(path, 2, true));
    ASSERT_TRUE(id3.CreateEmptyTag(path, 1, true));
    const QJsonObject tags = tagfiles::ReadTags(path);
    EXPECT_EQ(tags[u"v2"].toObject()[u"frames"].toObject(), QJsonObject());
    EXPECT_EQ(tags[u"v1"].toObject()[u"title"].toString(), "");
    EXPECT_EQ(tags[u"v1"].toObject()[u"genre"].toInt(), 255);
    const QByteArray bytes = testsupport::ReadFile(path);
    EXPECT_EQ(
        bytes.mid(bytes.indexOf(testsupport::SilentAudio()), testsupport::SilentAudio().size()),
        testsupport::SilentAudio());
    EXPECT_EQ(id3.ReadId3v2(path, true), (tagaccess::TagFields{"", "", "", "", "", "0", ""}));

    // A tag already there stays as it is.
    const QString tagged = Mp3(kBothTags, QStringLiteral("tagged.mp3"));
    const QByteArray before = testsupport::ReadFile(tagged);
    EXPECT_TRUE(id3.CreateEmptyTag(tagged, 1, true));
    EXPECT_TRUE(id3.CreateEmptyTag(tagged, 2, true));
    EXPECT_EQ(testsupport::ReadFile(tagged), before);
    EXPECT_TRUE(messages.Texts().isEmpty());
}

} // namespace
