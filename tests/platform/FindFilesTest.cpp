#include "platform/FindFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace platform;

TEST(MatchesMask, StarsAndQuestionMarksIgnoringLetterCase) {
    EXPECT_TRUE(MatchesMask("Song.MP3", "*.mp3"));
    EXPECT_TRUE(MatchesMask(".mp3", "*.mp3"));
    EXPECT_TRUE(MatchesMask("a.b.mp3", "*.mp3"));
    EXPECT_FALSE(MatchesMask("song.mp3.bak", "*.mp3"));
    EXPECT_FALSE(MatchesMask("mp3", "*.mp3"));
    EXPECT_TRUE(MatchesMask("track1.mp3", "track?.*"));
    EXPECT_FALSE(MatchesMask("track12.mp3", "track?.mp3"));
    EXPECT_TRUE(MatchesMask("Ünï.MP3", "ünï*"));
    EXPECT_TRUE(MatchesMask("", "*"));
}

// Every entry of a folder with its attribute bits, "." and ".." included.
QMap<QString, uint32_t> Entries(const QString& folder, uint32_t mask) {
    QMap<QString, uint32_t> entries;
    TSearchRec record;
    for (int found = FindFirst(folder.toUtf8() + "/*.*", mask, record); found == 0;
         found = FindNext(record))
        entries.insert(record.Name, record.Attr);
    FindClose(record);
    return entries;
}

TEST(FindFiles, EntriesCarryTheMappedAttributes) {
    testsupport::TempFolder folder;
    QFile(folder.Path("plain.mp3")).open(QIODevice::WriteOnly);
    QFile(folder.Path(".hidden")).open(QIODevice::WriteOnly);
    QDir().mkdir(folder.Path("sub"));
    ASSERT_EQ(symlink("sub", folder.Path("to sub").toUtf8().constData()), 0);
    ASSERT_EQ(symlink("plain.mp3", folder.Path("to file").toUtf8().constData()), 0);
    ASSERT_EQ(symlink("nowhere", folder.Path("dangling").toUtf8().constData()), 0);
    ASSERT_EQ(mkfifo(folder.Path("pipe").toUtf8().constData(), 0644), 0);

    const QMap<QString, uint32_t> all = Entries(folder.Root(), faAnyFile);
    EXPECT_EQ(all.value("plain.mp3"), faArchive);
    EXPECT_EQ(all.value(".hidden"), faArchive | faHidden);
    EXPECT_EQ(all.value("sub"), faDirectory);
    EXPECT_EQ(all.value("."), faDirectory | faHidden);
    EXPECT_EQ(all.value("to sub"), faDirectory | faSymLink);
    EXPECT_EQ(all.value("to file"), faArchive | faSymLink);
    EXPECT_EQ(all.value("dangling"), faSymLink);
    EXPECT_EQ(all.value("pipe") & faSpecial, faSpecial);
    EXPECT_EQ(all.size(), 9);

    // Without the hidden and directory bits in the mask, such entries are passed over.
    const QMap<QString, uint32_t> plain = Entries(folder.Root(), faArchive);
    EXPECT_TRUE(plain.contains("plain.mp3"));
    EXPECT_FALSE(plain.contains(".hidden") || plain.contains("sub") || plain.contains("to sub"));

    TSearchRec record;
    EXPECT_NE(FindFirst(folder.Path("missing").toUtf8() + "/*.*", faAnyFile, record), 0);
}

} // namespace
