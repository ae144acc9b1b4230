// Saves that must not happen or must not write: read-only, vanished, non-MPEG and damaged files,
// saves that change nothing; and what a rewriting save keeps (permissions, audio, other handles'
// changes).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

#include "LibraryFixture.h"

namespace tagtest {
namespace {

class SaveSafetyTest : public LibraryTest {
  protected:
    // Both kinds of handle loaded from `file` with a change each; answers the two Save results.
    std::pair<bool, bool> SaveBoth(const QString& file) {
        const uint32_t v1 = LoadV1(file);
        const uint32_t v2 = LoadV2(file);
        Lib().ID3v1_SetTitle(v1, "New v1 title");
        Lib().ID3v2_SetAsciiText(v2, "TIT2", "New v2 title");
        return {Lib().ID3v1_Save(v1, Name(file).c_str()) & 0xFF,
                Lib().ID3v2_Save(v2, Name(file).c_str()) & 0xFF};
    }
    // A file with both tags.
    QString TaggedFile(const QString& name) {
        const QString file = Path(name);
        WriteMp3(file, {}, Id3v1Bytes({"v1", "", "", "", "", 1, 0}));
        WriteWithMutagen(file, 3, R"js([["TIT2","Title",0],["TPE1","Artist",0]])js");
        return file;
    }
    QByteArray TagWithZeroSizeFrame() {
        return Id3v2Tag(3, 0,
                        Id3v2Frame(3, "TIT2", Latin1Text("Title")) + Id3v2Frame(3, "TDRC", "") +
                            Id3v2Frame(3, "TPE1", Latin1Text("Artist")) + QByteArray(64, '\0'));
    }
};

TEST_F(SaveSafetyTest, ReadOnlyFileIsLeftAloneAndAVanishedOneIsNotCreated) {
    const QString file = TaggedFile("ro.mp3");
    ASSERT_EQ(chmod(Name(file).c_str(), 0444), 0);
    const QByteArray bytes = testsupport::ReadFile(file);
    EXPECT_EQ(SaveBoth(file), std::make_pair(false, false));
    EXPECT_EQ(testsupport::ReadFile(file), bytes);
    EXPECT_EQ(QDir(folder_.Root()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    const QString gone = TaggedFile("gone.mp3");
    const uint32_t v1 = LoadV1(gone);
    const uint32_t v2 = LoadV2(gone);
    Lib().ID3v1_SetTitle(v1, "x");
    Lib().ID3v2_SetAsciiText(v2, "TIT2", "x");
    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_FALSE(Lib().ID3v1_Save(v1, Name(gone).c_str()) & 0xFF);
    EXPECT_FALSE(Lib().ID3v2_Save(v2, Name(gone).c_str()) & 0xFF);
    EXPECT_FALSE(QFileInfo::exists(gone));
}

TEST_F(SaveSafetyTest, NonMpegAndEmptyFilesHaveNoTagAndAreNotWritten) {
    const QString text = Path("notes.mp3");
    testsupport::WriteFile(text, QByteArray("just some text, no audio\n").repeated(200) +
                                     Id3v1Bytes({"fake", "", "", "", "", 0, 1}));
    const QString empty = Path("empty.mp3");
    testsupport::WriteFile(empty, {});
    for (const QString& file : {text, empty}) {
        const QByteArray bytes = testsupport::ReadFile(file);
        EXPECT_FALSE(Lib().ID3v1_Load(Lib().ID3v1_Create(), Name(file).c_str()) & 0xFF);
        EXPECT_FALSE(Lib().ID3v2_Loaded(LoadV2(file)) & 0xFF);
        EXPECT_EQ(SaveBoth(file), std::make_pair(false, false));
        EXPECT_EQ(testsupport::ReadFile(file), bytes);
    }
}

TEST_F(SaveSafetyTest, AudioIsFoundBehindJunkButALoneFrameHeaderMakesNoMp3) {
    const QByteArray record = Id3v1Bytes({"Title", "", "", "", "", 0, 1});
    const QString junk = Path("junk.mp3");
    WriteMp3(junk, Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("T"))) + QByteArray(3000, 'j'),
             record);
    EXPECT_TRUE(Lib().ID3v1_Load(Lib().ID3v1_Create(), Name(junk).c_str()) & 0xFF);
    EXPECT_TRUE(Lib().ID3v2_Loaded(LoadV2(junk)) & 0xFF);
    // A frame header whose successor is missing is a chance match, not audio.
    const QString lone = Path("lone.mp3");
    testsupport::WriteFile(lone, Audio().left(4) + QByteArray(5000, 'a') + record);
    EXPECT_FALSE(Lib().ID3v1_Load(Lib().ID3v1_Create(), Name(lone).c_str()) & 0xFF);
    EXPECT_FALSE(Lib().ID3v1_Save(LoadV1(lone), Name(lone).c_str()) & 0xFF);
}

TEST_F(SaveSafetyTest, DamagedTagsAreReadAsFarAsPossibleButNeverSavedOver) {
    const QByteArray damaged[] = {
        TagWithZeroSizeFrame(),
        // v2.4 extended header that claims two flag bytes (v2.4 has one).
        Id3v2Tag(4, 0x40,
                 QByteArray("\x00\x00\x00\x07\x02\x00\x00", 7) +
                     Id3v2Frame(4, "TIT2", Latin1Text("Title")) + QByteArray(32, '\0')),
        // v2.3 extended header whose size is neither 6 nor 10.
        Id3v2Tag(3, 0x40,
                 QByteArray("\x00\x00\x00\x07\x00\x00\x00\x00\x00\x00\x00", 11) +
                     Id3v2Frame(3, "TIT2", Latin1Text("Title")) + QByteArray(32, '\0')),
        // A frame size running past the end of the tag.
        Id3v2Tag(3, 0,
                 Id3v2Frame(3, "TIT2", Latin1Text("Title")) + "TPE1\x00\x00\x01\x00" +
                     QByteArray(10, 'a')),
        // Garbage after the frames where padding belongs.
        Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Title")) + QByteArray(4, '\0') + "junk"),
    };
    for (const QByteArray& tag : damaged) {
        const QString file = Path("damaged.mp3");
        WriteMp3(file, tag);
        const QByteArray bytes = testsupport::ReadFile(file);
        const uint32_t h = LoadV2(file);
        Lib().ID3v2_SetAsciiText(h, "TALB", "Album");
        EXPECT_FALSE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
        EXPECT_EQ(testsupport::ReadFile(file), bytes);
    }
    const QString file = Path("zero.mp3");
    WriteMp3(file, TagWithZeroSizeFrame());
    EXPECT_EQ(V2Text(LoadV2(file), "TIT2"), "Title");

    // A save with nothing to change answers as one that writes would: refused for a damaged tag,
    // also when the damage came after the load.
    const QString later = Path("later.mp3");
    WriteMp3(later, Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Title")) + QByteArray(32, 0)));
    const uint32_t loaded = LoadV2(later);
    EXPECT_TRUE(Lib().ID3v2_Save(loaded, Name(later).c_str()) & 0xFF);
    WriteMp3(later, TagWithZeroSizeFrame());
    EXPECT_FALSE(Lib().ID3v2_Save(loaded, Name(later).c_str()) & 0xFF);
    EXPECT_FALSE(Lib().ID3v2_Save(LoadV2(later), Name(later).c_str()) & 0xFF);
}

TEST_F(SaveSafetyTest, TagsWithAnExtendedHeaderAreReadWholeAndSavedWithoutIt) {
    const QByteArray frames = Id3v2Frame(3, "TIT2", Latin1Text("Title")) +
                              Id3v2Frame(3, "TPE1", Latin1Text("Artist")) + QByteArray(64, '\0');
    const QByteArray frames4 = Id3v2Frame(4, "TIT2", Latin1Text("Title")) +
                               Id3v2Frame(4, "TPE1", Latin1Text("Artist")) + QByteArray(64, '\0');
    const QByteArray tags[] = {
        // v2.3: size 6 (counting what follows it), no flags, padding size.
        Id3v2Tag(3, 0x40, QByteArray("\x00\x00\x00\x06\x00\x00\x00\x00\x00\x40", 10) + frames),
        // v2.3 with a CRC: size 10, CRC flag, padding size, CRC.
        Id3v2Tag(3, 0x40,
                 QByteArray("\x00\x00\x00\x0a\x80\x00\x00\x00\x00\x40\x12\x34\x56\x78", 14) +
                     frames),
        // v2.4: synchsafe size 6 counting itself, one flag byte, no flags.
        Id3v2Tag(4, 0x40, QByteArray("\x00\x00\x00\x06\x01\x00", 6) + frames4),
        // v2.4 with restrictions: size 8, flag 0x10, its length byte (1) and the restrictions.
        Id3v2Tag(4, 0x40, QByteArray("\x00\x00\x00\x08\x01\x10\x01\x00", 8) + frames4),
    };
    for (const QByteArray& tag : tags) {
        const QString file = Path("extended.mp3");
        WriteMp3(file, tag);
        const uint32_t h = LoadV2(file);
        EXPECT_EQ(V2Text(h, "TIT2"), "Title");
        EXPECT_EQ(V2Text(h, "TPE1"), "Artist");
        Lib().ID3v2_SetAsciiText(h, "TALB", "Album");
        ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
        const QByteArray bytes = testsupport::ReadFile(file);
        EXPECT_EQ(bytes[5] & 0x40, 0);
        EXPECT_EQ(bytes.size(), tag.size() + Audio().size());
        const QJsonObject dump = Dump(file);
        EXPECT_EQ(dump["v2"].toObject()["version"].toArray()[1].toInt(), tag[3]);
        EXPECT_EQ(FrameText(dump, "TIT2"), "Title");
        EXPECT_EQ(FrameText(dump, "TPE1"), "Artist");
        EXPECT_EQ(FrameText(dump, "TALB"), "Album");
        EXPECT_EQ(dump["audio"].toObject()["sha256"].toString(), AudioSha256());
    }
}

TEST_F(SaveSafetyTest, SavesThatChangeNothingWriteNothing) {
    const QString file = TaggedFile("same.mp3");
    AgeFile(file);
    const int64_t before = ModificationTime(file);
    const QByteArray bytes = testsupport::ReadFile(file);
    const uint32_t v1 = LoadV1(file);
    const uint32_t v2 = LoadV2(file);
    Lib().ID3v1_SetTitle(v1, Lib().ID3v1_GetTitle(v1));
    Lib().ID3v1_SetTrack(v1, 1);
    Lib().ID3v2_SetAsciiText(v2, "TIT2", "Title");
    Lib().ID3v2_SetAsciiText(v2, "TALB", "");
    Lib().ID3v2_SetCOMM(v2, "", "");
    EXPECT_TRUE(Lib().ID3v1_Save(v1, Name(file).c_str()) & 0xFF);
    EXPECT_TRUE(Lib().ID3v2_Save(v2, Name(file).c_str()) & 0xFF);
    // A change undone before saving is no change either.
    Lib().ID3v2_SetAsciiText(v2, "TPE1", "Someone else");
    Lib().ID3v2_SetAsciiText(v2, "TPE1", "Artist");
    EXPECT_TRUE(Lib().ID3v2_Save(v2, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(ModificationTime(file), before);
    EXPECT_EQ(testsupport::ReadFile(file), bytes);
}

TEST_F(SaveSafetyTest, RewritingSaveKeepsPermissionsAudioAndLeavesNoTemporaryFile) {
    const QString file = TaggedFile("grow.mp3");
    ASSERT_EQ(chmod(Name(file).c_str(), 0640), 0);
    const QByteArray audio = Dump(file)["audio"].toObject()["sha256"].toString().toUtf8();
    const uint32_t h = LoadV2(file);
    Lib().ID3v2_SetAsciiText(h, "TIT2", std::string(5000, 'x').c_str());
    ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    struct stat st {};
    ASSERT_EQ(stat(Name(file).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    const QJsonObject dump = Dump(file);
    EXPECT_EQ(FrameText(dump, "TIT2").size(), 5000);
    EXPECT_EQ(dump["audio"].toObject()["sha256"].toString().toUtf8(), audio);
    EXPECT_EQ(dump["v1"].toObject()["title"].toObject()["latin1"].toString(), "v1");
    EXPECT_EQ(QDir(folder_.Root()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(SaveSafetyTest, HandlesLoadedBeforeEitherSavedBothReachTheDisk) {
    const QString file = TaggedFile("two.mp3");
    WriteWithMutagen(file, 3, R"js([["TIT2","Title",0],["TPE1","Artist",0],
        ["TXXX","k","v"],["APIC","image/png",3,"","89504e47"]])js");
    const QJsonObject before = Dump(file);
    const uint32_t v1 = LoadV1(file);
    const uint32_t v2a = LoadV2(file);
    const uint32_t v2b = LoadV2(file);
    Lib().ID3v1_SetArtist(v1, "v1 artist");
    Lib().ID3v2_SetAsciiText(v2a, "TALB", "Album from a");
    Lib().ID3v2_SetAsciiText(v2b, "TPE1", "Artist from b");
    ASSERT_TRUE(Lib().ID3v2_Save(v2a, Name(file).c_str()) & 0xFF);
    ASSERT_TRUE(Lib().ID3v1_Save(v1, Name(file).c_str()) & 0xFF);
    ASSERT_TRUE(Lib().ID3v2_Save(v2b, Name(file).c_str()) & 0xFF);
    const QJsonObject after = Dump(file);
    EXPECT_EQ(FrameText(after, "TALB"), "Album from a");
    EXPECT_EQ(FrameText(after, "TPE1"), "Artist from b");
    EXPECT_EQ(FrameText(after, "TIT2"), "Title");
    EXPECT_EQ(Frames(after, "TXXX"), Frames(before, "TXXX"));
    EXPECT_EQ(Frames(after, "APIC"), Frames(before, "APIC"));
    const QJsonObject v1After = after["v1"].toObject();
    EXPECT_EQ(v1After["artist"].toObject()["latin1"].toString(), "v1 artist");
    EXPECT_EQ(v1After["title"], before["v1"].toObject()["title"]);
    EXPECT_EQ(v1After["track"].toInt(), 1);
    EXPECT_EQ(after["audio"], before["audio"]);
}

} // namespace
} // namespace tagtest
