#include "TagAccessFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace {

using tagaccess::kTrack;
using tagaccess::TagFields;

const QJsonObject kV1Tag{{"title", "Night Drive"},
                         {"artist", "Mira Vale"},
                         {"album", "First Light"},
                         {"year", "1998"},
                         {"comment", "ripped"},
                         {"track", 7},
                         {"genre", 17}};

TEST_F(TagAccessTest, ReadId3v1GivesTheSevenFieldsOrSilentEmptiness) {
    const QString tagged = Mp3({{"v1", kV1Tag}});
    EXPECT_EQ(id3.ReadId3v1(tagged, true), (TagFields{"Night Drive", "Mira Vale", "First Light",
                                                      "1998", "Rock", "7", "ripped"}));
    const QString bare = Mp3({}, QStringLiteral("bare.mp3"));
    EXPECT_EQ(id3.ReadId3v1(bare, true), TagFields(7));
    EXPECT_EQ(id3.ReadId3v1(folder.Path(QStringLiteral("missing.mp3")), true), TagFields(7));
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagAccessTest, WriteId3v1StoresGenreNumbersAndRealTrackBytesOnly) {
    const QString path = Mp3();
    ASSERT_TRUE(id3.WriteId3v1(
        path, {"Title", "Artist", "Album", "2001", "drum&bass", "12", "Note"}, true));
    QJsonObject v1 = V1(path);
    EXPECT_EQ(v1[u"title"].toString(), "Title");
    EXPECT_EQ(v1[u"year"].toString(), "2001");
    EXPECT_EQ(v1[u"genre"].toInt(), 127);
    EXPECT_EQ(v1[u"track"].toInt(), 12);
    EXPECT_EQ(v1[u"comment"].toString(), "Note");
    EXPECT_TRUE(tagfiles::ReadTags(path)[u"v2"].isNull()) << "the other tag is not created";

    // 300 is no ID3v1 track: it stores none rather than its low byte (44, another track).
    ASSERT_TRUE(id3.WriteId3v1(path, {"Title", "", "", "", "Synthwave", "300", ""}, true));
    v1 = V1(path);
    EXPECT_EQ(v1[u"track"].toInt(), 0);
    EXPECT_EQ(v1[u"genre"].toInt(), 255);
    ASSERT_TRUE(id3.WriteId3v1(path, {"Title", "", "", "", "", "-1", ""}, true));
    EXPECT_EQ(V1(path)[u"track"].toInt(), 0);
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagAccessTest, WriteId3v1WithATrackThatIsNoNumberFailsAndLeavesTheFile) {
    const QString path = Mp3({{"v1", kV1Tag}});
    const QByteArray before = testsupport::ReadFile(path);
    EXPECT_FALSE(id3.WriteId3v1(path, {"New", "", "", "", "", "", ""}, true));
    EXPECT_FALSE(id3.WriteId3v1(path, {"New", "", "", "", "", "3/12", ""}, false));
    EXPECT_EQ(testsupport::ReadFile(path), before);
    EXPECT_EQ(messages.Texts(), QStringList{"'' is not a valid integer value"});
}

TEST_F(TagAccessTest, ASaveThatDoesNotReachTheDiskIsAFailure) {
    const QString path = Mp3({{"v1", kV1Tag}});
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    // The library leaves a file without write permission alone, also for a user (root) whom the
    // system would let write it.
    const QByteArray before = testsupport::ReadFile(path);
    EXPECT_FALSE(id3.WriteId3v1(path, {"New", "", "", "", "", "1", ""}, true));
    EXPECT_FALSE(id3.WriteId3v2(path, {"New", "", "", "", "", "1", "", ""}, false));
    EXPECT_FALSE(id3.SyncTags(path, 2, false));
    EXPECT_EQ(testsupport::ReadFile(path), before);
    EXPECT_EQ(
        messages.Texts(),
        QStringList{QStringLiteral("The ID3v1 tag could not be saved to \"%1\": Permission denied.")
                        .arg(path)});
}

// An ID3v2.3 tag whose second frame has size 0: everything after it would be lost by a save.
QByteArray DamagedTag() {
    const auto frame = [](const char* id, const QByteArray& text) {
        const QByteArray body = '\0' + text;
        QByteArray bytes(id, 4);
        for (const int shift : {24, 16, 8, 0})
            bytes += char((body.size() >> shift) & 0xFF);
        return bytes + QByteArray(2, '\0') + body;
    };
    const QByteArray frames =
        frame("TIT2", "Title") + QByteArray("TYER\0\0\0\0\0\0", 10) + frame("TPE1", "Artist");
    QByteArray header("ID3\x03\0\0", 6);
    for (const int shift : {21, 14, 7, 0})
        header += char((frames.size() >> shift) & 0x7F);
    return header + frames;
}

TEST_F(TagAccessTest, ASaveOfAVanishedOrDamagedFileIsAFailure) {
    const QString vanished = folder.Path(QStringLiteral("gone/song.mp3"));
    EXPECT_FALSE(id3.WriteId3v1(vanished, {"New", "", "", "", "", "1", ""}, true));
    const QString damaged = folder.Path(QStringLiteral("damaged.mp3"));
    testsupport::WriteFile(damaged, DamagedTag() + testsupport::SilentAudio());
    EXPECT_FALSE(id3.WriteId3v2(damaged, {"New", "", "", "", "", "1", "", ""}, true));
    EXPECT_EQ(testsupport::ReadFile(damaged), DamagedTag() + testsupport::SilentAudio());
    EXPECT_EQ(
        messages.Texts(),
        (QStringList{
            QStringLiteral("The ID3v1 tag could not be saved to \"%1\": No such file or directory.")
                .arg(vanished),
            QStringLiteral("The ID3v2 tag could not be saved to \"%1\".").arg(damaged)}));
}

// A small file system of the test's own, so the disk can be full or read-only for real; the test
// is skipped where it may not mount one.
class SmallDisk {
  public:
    explicit SmallDisk(const QString& where, int kilobytes) : where_(where) {
        QDir().mkpath(where);
        mounted_ =
            QProcess::execute(QStringLiteral("mount"),
                              {"-t", "tmpfs", "-o", QStringLiteral("size=%1k").arg(kilobytes),
                               "tmpfs", where}) == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {where_});
    }
    bool Mounted() const { return mounted_; }
    bool MakeReadOnly() const {
        return QProcess::execute(QStringLiteral("mount"), {"-o", "remount,ro", where_}) == 0;
    }

  private:
    QString where_;
    bool mounted_ = false;
};

TEST_F(TagAccessTest, ASaveTheSystemRefusesSaysWhyAndLeavesTheFileWhole) {
    const SmallDisk disk(folder.Path(QStringLiteral("disk")), 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "no permission to mount a small file system";
    // A file with a second name is rewritten in place: its new tag must find room before the
    // file is touched. The disk holds the new copy beside it, but not the file's growth as well.
    const QString path = folder.Path(QStringLiteral("disk/song.mp3"));
    testsupport::WriteFile(path, testsupport::ReadFile(Mp3({{"v1", kV1Tag}})) +
                                     QByteArray(300 * 1024, '\0'));
    ASSERT_EQ(
        ::link(QFile::encodeName(path).constData(),
               QFile::encodeName(folder.Path(QStringLiteral("disk/other name.mp3"))).constData()),
        0);
    const QByteArray before = testsupport::ReadFile(path);
    const QString picture = folder.Path(QStringLiteral("cover.png"));
    testsupport::WriteFile(picture,
                           QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(200 * 1024, 'p'));
    testsupport::WriteFile(folder.Path(QStringLiteral("disk/filler")),
                           QByteArray((1024 - 300 - 600) * 1024, 'f'));
    EXPECT_FALSE(id3.WriteId3v2(path, {"New", "", "", "", "", "", "", picture}, true));
    EXPECT_EQ(testsupport::ReadFile(path), before);
    EXPECT_EQ(
        QDir(folder.Path(QStringLiteral("disk"))).entryList(QDir::Files | QDir::Hidden).size(), 3);

    ASSERT_TRUE(disk.MakeReadOnly());
    EXPECT_FALSE(id3.WriteId3v1(path, {"New", "", "", "", "", "1", ""}, true));
    EXPECT_EQ(testsupport::ReadFile(path), before);
    EXPECT_EQ(
        messages.Texts(),
        (QStringList{
            QStringLiteral("The ID3v2 tag could not be saved to \"%1\": No space left on device.")
                .arg(path),
            QStringLiteral("The ID3v1 tag could not be saved to \"%1\": Read-only file system.")
                .arg(path)}));
}

TEST_F(TagAccessTest, AFileMarkedByARewriteUnderAnotherNameNeverReadsAsUntagged) {
    // The front of a file whose in-place rewrite was cut short under a name in another folder:
    // its journal lies there, so this name can neither finish the rewrite nor read the tags.
    const QString path = Mp3({{"v1", kV1Tag}});
    QByteArray bytes = testsupport::ReadFile(path);
    bytes.replace(0, 9, "KVREWRITE");
    testsupport::WriteFile(path, bytes);
    const QString why = QStringLiteral("the file is in the middle of a save made under another of "
                                       "its names, in another folder: open it once by that name "
                                       "to finish the save.");
    EXPECT_EQ(id3.ReadId3v1(path, true), TagFields(7));
    EXPECT_EQ(id3.ReadId3v2(path, true), TagFields(7));
    EXPECT_FALSE(id3.SyncTags(path, 2, true));
    EXPECT_FALSE(id3.WriteId3v1(path, {"New", "", "", "", "", "1", ""}, true));
    EXPECT_EQ(testsupport::ReadFile(path), bytes);
    const QString unread = QStringLiteral("The tags of \"%1\" cannot be read: ").arg(path) + why;
    EXPECT_EQ(messages.Texts(), (QStringList{unread, unread, unread, unread}));
}

TEST_F(TagAccessTest, ASyncThatCannotSaveBothTagsWritesNeither) {
    // A disagreeing ID3v1 tag behind a damaged ID3v2 tag: saving ID3v1 alone would leave half a
    // sync in a file reported as not synchronised.
    const QString path = Mp3({{"v1", QJsonObject{{"title", "Other"}, {"track", 1}}}});
    const QByteArray bytes = DamagedTag() + testsupport::ReadFile(path);
    testsupport::WriteFile(path, bytes);
    EXPECT_FALSE(id3.SyncTags(path, 2, false));
    EXPECT_EQ(testsupport::ReadFile(path), bytes);
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagAccessTest, ReadId3v2TakesTheTrackNumberBeforeTheSlash) {
    const struct {
        const char* frame;
        const char* expected;
    } cases[] = {{"07", "7"}, {"3/12", "3"}, {"07/12", "7"},
                 {"A5", "5"}, {"none", "0"}, {"99999999999/12", "0"}};
    for (const auto& c : cases) {
        const QString path =
            Mp3({{"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "T"}, {"TRCK", c.frame}}},
                                    {"comments", QJsonObject{{"", "kept"}}}}}});
        const TagFields fields = id3.ReadId3v2(path, true);
        EXPECT_EQ(fields[kTrack], c.expected) << c.frame;
        EXPECT_EQ(fields[tagaccess::kComment], "kept")
            << "a huge track number no longer ends the read";
    }
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagAccessTest, ReadId3v2GivesFrameTextsUnchanged) {
    const QString path =
        Mp3({{"v2", QJsonObject{{"version", 4},
                                {"frames", QJsonObject{{"TIT2", "Звезда"},
                                                       {"TPE1", "Кино"},
                                                       {"TALB", "Album"},
                                                       {"TDRC", "1988"},
                                                       {"TCON", "Synthwave"}}},
                                {"comments", QJsonObject{{"", "main"}, {"other", "no"}}}}}});
    EXPECT_EQ(id3.ReadId3v2(path, true),
              (TagFields{"Звезда", "Кино", "Album", "1988", "Synthwave", "0", "main"}));
    EXPECT_EQ(id3.ReadId3v2(Mp3({}, QStringLiteral("bare.mp3")), true), TagFields(7));
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagAccessTest, WriteId3v2KeepsTextsAsGivenAndAttachesPicturesByExtension) {
    const QString path = Mp3({{"v1", kV1Tag}});
    const QString jpeg = folder.Path(QStringLiteral("cover.JPG"));
    testsupport::WriteFile(jpeg, QByteArray("\xFF\xD8\xFF\xE0 not really a picture", 26));
    ASSERT_TRUE(id3.WriteId3v2(
        path, {"Title", "Artist", "Album", "199x", "(17)", "B-side", "Comment", jpeg}, true));
    QJsonObject frames = V2Frames(path);
    EXPECT_EQ(frames[u"TIT2"].toString(), "Title");
    EXPECT_EQ(frames[u"TYER"].toString(), "199x");
    EXPECT_EQ(frames[u"TRCK"].toString(), "B-side")
        << "a track that is no number is stored as text";
    EXPECT_EQ(frames[u"COMM::eng"].toString(), "Comment");
    EXPECT_EQ(frames[u"APIC:"].toObject()[u"mime"].toString(), "image/jpeg");
    EXPECT_EQ(V1(path)[u"title"].toString(), "Night Drive") << "the ID3v1 tag is untouched";

    // A ".jpeg" is kind 0, left to the library to recognise; a folder is no picture.
    const QString other = folder.Path(QStringLiteral("cover.jpeg"));
    testsupport::WriteFile(other, QByteArray("plain text, no picture"));
    ASSERT_TRUE(id3.WriteId3v2(path, {"Title", "", "", "", "", "", "", other}, true));
    EXPECT_NE(V2Frames(path)[u"APIC:"].toObject()[u"mime"].toString(), "image/jpeg");
    ASSERT_TRUE(id3.WriteId3v2(path, {"Title", "", "", "", "", "", "", folder.Root()}, true));
    EXPECT_TRUE(messages.Texts().isEmpty());
}

} // namespace
