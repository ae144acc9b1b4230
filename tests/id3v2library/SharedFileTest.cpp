// One load of the library keeps the file it works on open, with what it read of it, for all its
// calls: what another program does to the file between those calls is still seen, and a save that
// puts a new file in place of the old one is followed by calls on the new one.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

#include "LibraryFixture.h"

namespace tagtest {
namespace {

class SharedFileTest : public LibraryTest {
  protected:
    std::string V1Title(const QString& file) { return Lib().ID3v1_GetTitle(LoadV1(file)); }
    // Past the clock step of the last change: from now on the library may keep what it reads, and
    // only the file's status tells it of a change.
    static void LetTimesSettle() { std::this_thread::sleep_for(std::chrono::milliseconds(150)); }
    QStringList Entries() const {
        return QDir(folder_.Root()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

TEST_F(SharedFileTest, ChangesByOtherProgramsBetweenCallsAreSeenAndKept) {
    const QString file = Path("a.mp3");
    WriteMp3(file, Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Title"))),
             Id3v1Bytes({"first", "", "", "", "", 1, 0}));
    LetTimesSettle();
    EXPECT_EQ(V1Title(file), "first");
    const uint32_t v2 = LoadV2(file);

    // The record rewritten in place: same size, same inode.
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::ReadWrite));
        ASSERT_TRUE(out.seek(out.size() - 128));
        ASSERT_EQ(out.write(Id3v1Bytes({"second", "", "", "", "", 1, 0})), 128);
    }
    EXPECT_EQ(V1Title(file), "second");

    // A new file under the name, as another program's save leaves it.
    LetTimesSettle();
    const QString other = Path("other.mp3");
    WriteMp3(other, Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Other"))),
             Id3v1Bytes({"third", "", "", "", "", 1, 0}));
    ASSERT_EQ(std::rename(Name(other).c_str(), Name(file).c_str()), 0);
    LetTimesSettle();
    const uint32_t v1 = LoadV1(file);
    EXPECT_EQ(std::string(Lib().ID3v1_GetTitle(v1)), "third");

    // Saves write over what is on disk now, not over what an earlier call read.
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::ReadWrite));
        ASSERT_TRUE(out.seek(out.size() - 128));
        ASSERT_EQ(out.write(Id3v1Bytes({"fourth", "", "", "", "", 1, 0})), 128);
    }
    Lib().ID3v1_SetArtist(v1, "Artist");
    Lib().ID3v2_SetAsciiText(v2, "TALB", "Album");
    ASSERT_TRUE(Lib().ID3v1_Save(v1, Name(file).c_str()) & 0xFF);
    ASSERT_TRUE(Lib().ID3v2_Save(v2, Name(file).c_str()) & 0xFF);
    const QJsonObject dump = Dump(file);
    EXPECT_EQ(dump["v1"].toObject()["title"].toObject()["latin1"].toString(), "fourth");
    EXPECT_EQ(dump["v1"].toObject()["artist"].toObject()["latin1"].toString(), "Artist");
    EXPECT_EQ(FrameText(dump, "TALB"), "Album");
    // The tag loaded first was another file's, of the same size.
    EXPECT_EQ(FrameText(dump, "TIT2"), "Other");
}

TEST_F(SharedFileTest, CallsAfterASaveThatReplacedTheFileUseTheNewOne) {
    // A picture larger than what is read of a file's start at once, so the tag is read in parts.
    const QString file = Path("big.mp3");
    // APIC: Latin-1, MIME type, front cover, no description, the picture's bytes.
    const QByteArray picture = QByteArray("\0image/png\0\x03\0", 13) + QByteArray(100000, 'x');
    WriteMp3(
        file,
        Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Title")) + Id3v2Frame(3, "APIC", picture)),
        Id3v1Bytes({"v1", "", "", "", "", 1, 0}));
    const QJsonObject before = Dump(file);
    LetTimesSettle();
    const uint32_t v1 = LoadV1(file);
    const uint32_t v2 = LoadV2(file);
    ASSERT_EQ(Lib().ID3v2_GetPictureSize(v2, 0), 100000);

    // Too long for the padding: the audio moves, and a new file takes the name.
    Lib().ID3v2_SetAsciiText(v2, "TIT2", std::string(5000, 't').c_str());
    ASSERT_TRUE(Lib().ID3v2_Save(v2, Name(file).c_str()) & 0xFF);
    Lib().ID3v1_SetTitle(v1, "after");
    ASSERT_TRUE(Lib().ID3v1_Save(v1, Name(file).c_str()) & 0xFF);
    const uint32_t again = LoadV2(file);
    EXPECT_EQ(V2Text(again, "TIT2"), std::string(5000, 't'));
    Lib().ID3v2_SetAsciiText(again, "TPE1", "Artist");
    ASSERT_TRUE(Lib().ID3v2_Save(again, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(Lib().ID3v2_LoadFileInfo(again, Name(file).c_str()) & 0xFF, 1);
    EXPECT_EQ(Lib().ID3v2_GetFileInfo(again, "id3v1"), 1);

    const QJsonObject after = Dump(file);
    EXPECT_EQ(FrameText(after, "TIT2"), QString(5000, 't'));
    EXPECT_EQ(FrameText(after, "TPE1"), "Artist");
    EXPECT_EQ(Frames(after, "APIC"), Frames(before, "APIC"));
    EXPECT_EQ(after["v1"].toObject()["title"].toObject()["latin1"].toString(), "after");
    EXPECT_EQ(after["audio"], before["audio"]);
    EXPECT_EQ(Entries(), QStringList{"big.mp3"});
}

TEST_F(SharedFileTest, ReadsAfterASaveShowItAndWhatOthersDidSince) {
    // Longer than what is kept of a file's front, so its record is read from what is kept of
    // its end.
    const QString file = Path("a.mp3");
    testsupport::WriteFile(file, Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Title"))) +
                                     testsupport::SilentAudio(11000) +
                                     Id3v1Bytes({"v1", "", "", "", "", 1, 0}));
    LetTimesSettle();
    EXPECT_EQ(V1Title(file), "v1");
    const auto save = [&](size_t length) {
        const uint32_t h = LoadV2(file);
        Lib().ID3v2_SetAsciiText(h, "TIT2", std::string(length, 't').c_str());
        ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    };

    // Read right after a save that moved the audio: the record moved with it.
    ASSERT_TRUE(Lib().ID3v2_Remove(LoadV2(file), Name(file).c_str()) & 0xFF);
    EXPECT_EQ(V1Title(file), "v1");

    // Another program changes the title in place before the next call: that call sees it.
    save(5000);
    LetTimesSettle();
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::ReadWrite));
        // Tag header, frame header, text encoding.
        ASSERT_TRUE(out.seek(21));
        ASSERT_EQ(out.write("other"), 5);
    }
    EXPECT_EQ(V2Text(LoadV2(file), "TIT2"), "other" + std::string(4995, 't'));

    // The same after saves in place.
    const uint32_t v1 = LoadV1(file);
    Lib().ID3v1_SetTitle(v1, "in place");
    ASSERT_TRUE(Lib().ID3v1_Save(v1, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(V1Title(file), "in place");
    Lib().ID3v1_SetArtist(v1, "Artist");
    ASSERT_TRUE(Lib().ID3v1_Save(v1, Name(file).c_str()) & 0xFF);
    LetTimesSettle();
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::ReadWrite));
        ASSERT_TRUE(out.seek(out.size() - 128));
        ASSERT_EQ(out.write(Id3v1Bytes({"elsewhere", "", "", "", "", 1, 0})), 128);
    }
    EXPECT_EQ(V1Title(file), "elsewhere");
}

TEST_F(SharedFileTest, ASaveAfterTheNameBecameALinkWritesTheFileItLeadsTo) {
    const QString file = Path("a.mp3");
    const QString target = Path("target.mp3");
    WriteMp3(file, Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Title"))));
    WriteMp3(target, Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Target"))));
    const uint32_t h = LoadV2(file);
    ASSERT_EQ(std::remove(Name(file).c_str()), 0);
    ASSERT_EQ(symlink("target.mp3", Name(file).c_str()), 0);
    Lib().ID3v2_SetAsciiText(h, "TALB", "Album");
    ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    EXPECT_TRUE(QFileInfo(file).isSymLink());
    EXPECT_EQ(FrameText(Dump(target), "TALB"), "Album");
    EXPECT_EQ(FrameText(Dump(target), "TIT2"), "Target");
}

} // namespace
} // namespace tagtest
