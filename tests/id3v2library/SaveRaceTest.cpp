// Saves against each other and against kills, with real second processes (kivuna_save_helper):
// a save killed at any moment leaves a whole file and nothing beside it once the next save ran,
// and two processes saving one file each keep their change. KIVUNA_LONG_TESTS=1 kills 120 times.
#include <QDir>
#include <QProcess>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "LibraryFixture.h"

namespace tagtest {
namespace {

class SaveRaceTest : public LibraryTest {
  protected:
    static QString Helper() {
        return QString::fromStdString(LibraryPath()).section('/', 0, -2) + "/kivuna_save_helper";
    }
    std::string Entries() const {
        QStringList entries = QDir(folder_.Root()).entryList(QDir::Files | QDir::Hidden);
        entries.sort();
        return entries.join(", ").toStdString();
    }
};

TEST_F(SaveRaceTest, KilledGrowingSavesLeaveAWholeFileAndNoLeftovers) {
    const int kills = qEnvironmentVariableIntValue("KIVUNA_LONG_TESTS") != 0 ? 120 : 6;
    // About 4 MB of audio, so a kill lands anywhere in the copy.
    const QByteArray audio = testsupport::SilentAudio(10000);
    const QString file = Path("big.mp3");
    const QString link = Path("other name.mp3");
    testsupport::WriteFile(file, Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Title"))) +
                                     audio + Id3v1Bytes({"v1", "", "", "", "", 1, 0}));
    const QString audioSha = Dump(file)["audio"].toObject()["sha256"].toString();
    std::mt19937 random(12345);
    for (int i = 0; i < kills; ++i) {
        // Every other round the file has a second name, so the rewrite happens in place.
        const bool linked = i % 2 == 1;
        if (linked) {
            ASSERT_EQ(::link(Name(file).c_str(), Name(link).c_str()), 0);
        }
        QProcess helper;
        helper.start(Helper(), {"cycle", file});
        ASSERT_TRUE(helper.waitForStarted());
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 400));
        ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
        helper.waitForFinished();

        // An interrupted in-place rewrite is finished by the next load of the file.
        if (linked)
            LoadV2(file);
        const QJsonObject dump = Dump(file);
        EXPECT_EQ(dump["audio"].toObject()["sha256"].toString(), audioSha) << "kill " << i;
        EXPECT_EQ(FrameText(dump, "TIT2"), "Title") << "kill " << i;
        const qsizetype tit3 = FrameText(dump, "TIT3").size();
        EXPECT_TRUE(tit3 == 0 || tit3 == 10 || tit3 == 120000) << "kill " << i << ": " << tit3;
        EXPECT_EQ(dump["v1"].toObject()["title"].toObject()["latin1"].toString(), "v1");

        const uint32_t h = LoadV2(file);
        Lib().ID3v2_SetAsciiText(h, "TALB", ("after kill " + std::to_string(i)).c_str());
        EXPECT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
        // Read back, which also ends this process's operation: the lock its save kept is let go
        // of, so the next helper can save.
        EXPECT_EQ(V2Text(LoadV2(file), "TALB"), "after kill " + std::to_string(i)) << "kill " << i;
        EXPECT_EQ(Entries(), linked ? "big.mp3, other name.mp3" : "big.mp3") << "kill " << i;
        if (linked) {
            ASSERT_EQ(unlink(Name(link).c_str()), 0);
        }
    }
}

TEST_F(SaveRaceTest, TwoProcessesSavingOneFileBothKeepTheirChangesAndAHeldLockFailsTheSave) {
    const QString file = Path("shared.mp3");
    WriteMp3(file, Id3v2Tag(4, 0, Id3v2Frame(4, "TIT2", Latin1Text("Title"))));
    QProcess titles;
    QProcess artists;
    titles.start(Helper(), {"field", file, "TIT2", "40"});
    artists.start(Helper(), {"field", file, "TPE1", "40"});
    ASSERT_TRUE(titles.waitForFinished(120000));
    ASSERT_TRUE(artists.waitForFinished(120000));
    // The exit code counts the saves whose value had vanished when the next one began.
    EXPECT_EQ(titles.exitCode(), 0);
    EXPECT_EQ(artists.exitCode(), 0);
    const QJsonObject dump = Dump(file);
    EXPECT_EQ(FrameText(dump, "TIT2"), "TIT2-40");
    EXPECT_EQ(FrameText(dump, "TPE1"), "TPE1-40");
    EXPECT_EQ(dump["audio"].toObject()["sha256"].toString(), AudioSha256());

    // Another process's lock that is not released in time: the save gives up, file unchanged.
    const QByteArray before = testsupport::ReadFile(file);
    const int held = open(Name(file).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    const uint32_t h = LoadV2(file);
    Lib().ID3v2_SetAsciiText(h, "TALB", "Album");
    EXPECT_FALSE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    close(held);
    EXPECT_EQ(testsupport::ReadFile(file), before);
    EXPECT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(FrameText(Dump(file), "TALB"), "Album");
}

} // namespace
} // namespace tagtest
