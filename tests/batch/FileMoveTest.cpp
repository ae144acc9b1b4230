#include "batch/FileMove.h"
#include "TestSupport.h"
#include "batch/MoveJournal.h"
#include "batch/MovePlan.h"
#include "journal/JournalReader.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/file.h>

namespace {

TEST(FileMoveTest, MovesAcrossFileSystemsKeepingBytesModeAndTimeAndUndoesBack) {
    const testsupport::TempFolder folder;
    const auto other = testsupport::OtherFileSystem(folder.Root());
    if (!other)
        GTEST_SKIP() << "no second file system";
    const QString from = folder.Path(QStringLiteral("a.mp3"));
    const QByteArray audio = testsupport::SilentAudio(40);
    testsupport::WriteFile(from, audio);
    QFile::setPermissions(from, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QFile file(from);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime stamp = QDateTime::fromSecsSinceEpoch(1000000000);
    file.setFileTime(stamp, QFileDevice::FileModificationTime);
    file.close();
    const QFile::Permissions mode = QFileInfo(from).permissions();

    const QString to = other->path() + QStringLiteral("/Band/Disc/01 - a.mp3");
    QString journalPath;
    {
        journal::JournalWriter writer(QStringLiteral("organize"), folder.Path(QStringLiteral("j")));
        ASSERT_EQ(batch::JournaledMove(writer, from, to, batch::MoveMode::Move), QString());
        journalPath = writer.Path();
    }
    EXPECT_FALSE(QFileInfo::exists(from));
    EXPECT_EQ(testsupport::ReadFile(to), audio);
    EXPECT_EQ(QFileInfo(to).permissions(), mode);
    EXPECT_EQ(QFileInfo(to).lastModified(), stamp);
    EXPECT_EQ(QDir(QFileInfo(to).path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"01 - a.mp3"});

    // A destination without Unix modes gives every file 0777; the undo gives the mode back.
    QFile::setPermissions(to, QFileDevice::Permissions(0x7777));
    const auto records = journal::RecordsNewestFirst(journalPath);
    ASSERT_EQ(records.size(), 2u);
    ASSERT_TRUE(batch::IsDoneRecord(records.front()));
    bool restored = false;
    EXPECT_EQ(
        batch::UndoMoveRecord(records.back(), batch::DoneOf(records.front()), true, &restored),
        QString());
    EXPECT_TRUE(restored);
    EXPECT_EQ(testsupport::ReadFile(from), audio);
    EXPECT_EQ(QFileInfo(from).permissions(), mode);
    EXPECT_EQ(QFileInfo(from).lastModified(), stamp);
    // The folders the move made are gone, the destination itself stays.
    EXPECT_TRUE(QDir(other->path()).isEmpty());
}

TEST(FileMoveTest, NeverOverwritesAndPassesOverAMoveThatNeverHappened) {
    const testsupport::TempFolder folder;
    const QString from = folder.Path(QStringLiteral("a.mp3"));
    const QString taken = folder.Path(QStringLiteral("b.mp3"));
    testsupport::WriteFile(from, "first");
    testsupport::WriteFile(taken, "second");
    for (const batch::MoveMode mode : {batch::MoveMode::Move, batch::MoveMode::Copy}) {
        EXPECT_EQ(batch::MoveFile(from, taken, mode), taken + QStringLiteral(" exists already"));
        EXPECT_EQ(testsupport::ReadFile(taken), "second");
        EXPECT_EQ(testsupport::ReadFile(from), "first");
        EXPECT_EQ(QDir(folder.Root()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"a.mp3", "b.mp3"}));
    }

    // The program died after the record and the folders, before the move.
    const QString to = folder.Path(QStringLiteral("New/c.mp3"));
    const QJsonObject record = batch::MoveRecord(from, to, batch::MoveMode::Move);
    QDir().mkpath(folder.Path(QStringLiteral("New")));
    bool restored = true;
    EXPECT_EQ(batch::UndoMoveRecord(record, {}, false, &restored), QString());
    EXPECT_FALSE(restored);
    EXPECT_EQ(testsupport::ReadFile(from), "first");
    EXPECT_FALSE(QFileInfo::exists(folder.Path(QStringLiteral("New"))));
}

// A run that died after naming the copy across file systems, before removing its source, left
// the file twice: the next undo removes the surplus copy when both are byte for byte the same,
// and leaves both, named, when they differ.
TEST(FileMoveTest, AnUndoFinishesAMoveThatDiedHalfWayAcrossFileSystems) {
    const testsupport::TempFolder folder;
    const auto other = testsupport::OtherFileSystem(folder.Root());
    if (!other)
        GTEST_SKIP() << "no second file system";
    const QString from = folder.Path(QStringLiteral("a.mp3"));
    const QString to = other->path() + QStringLiteral("/a.mp3");
    testsupport::WriteFile(from, testsupport::SilentAudio(10));
    const QJsonObject record = batch::MoveRecord(from, to, batch::MoveMode::Move);
    ASSERT_EQ(batch::MoveFile(from, to, batch::MoveMode::Copy), QString());
    bool undone = false;
    EXPECT_EQ(batch::UndoMoveRecord(record, {}, false, &undone), QString());
    EXPECT_TRUE(undone);
    EXPECT_FALSE(QFileInfo::exists(to));
    EXPECT_EQ(testsupport::ReadFile(from), testsupport::SilentAudio(10));

    ASSERT_EQ(batch::MoveFile(from, to, batch::MoveMode::Copy), QString());
    const QDateTime time = QFileInfo(to).lastModified();
    testsupport::WriteFile(to, testsupport::SilentAudio(10).replace(0, 4, "XXXX"));
    QFile copy(to);
    ASSERT_TRUE(copy.open(QIODevice::ReadWrite));
    copy.setFileTime(time, QFileDevice::FileModificationTime);
    copy.close();
    EXPECT_EQ(batch::UndoMoveRecord(record, {}, false, &undone),
              QStringLiteral("cannot go back: %1 exists").arg(from));
    EXPECT_TRUE(QFileInfo::exists(to) && QFileInfo::exists(from));
}

// A copy needs no room in its name for a temporary one, and a partial copy is removed only when
// its writer is dead: never one of another run still writing.
TEST(FileMoveTest, CopiesTakeTheLongestNamesAndLeaveOtherRunsPartialCopiesAlone) {
    const testsupport::TempFolder folder;
    const auto other = testsupport::OtherFileSystem(folder.Root());
    if (!other)
        GTEST_SKIP() << "no second file system";
    const QString from = folder.Path(QStringLiteral("a.mp3"));
    testsupport::WriteFile(from, testsupport::SilentAudio(10));
    const QString longest = other->path() + u'/' + QString(251, u'n') + QStringLiteral(".mp3");
    for (const batch::MoveMode mode : {batch::MoveMode::Copy, batch::MoveMode::Move}) {
        const QString to =
            mode == batch::MoveMode::Copy ? folder.Path(QString(251, u'c') + ".mp3") : longest;
        EXPECT_EQ(batch::MoveFile(from, to, mode), QString());
        EXPECT_EQ(testsupport::ReadFile(to), testsupport::SilentAudio(10));
    }

    const QString living = other->path() + QStringLiteral("/.kivuna-1-0.part");
    const QString dead = other->path() + QStringLiteral("/.kivuna-2-0.part");
    testsupport::WriteFile(living, "being written");
    testsupport::WriteFile(dead, "left by a kill");
    QFile writer(living);
    ASSERT_TRUE(writer.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(writer.handle(), LOCK_EX), 0);
    batch::RemoveDeadPartialCopies(other->path());
    EXPECT_TRUE(QFileInfo::exists(living));
    EXPECT_FALSE(QFileInfo::exists(dead));
}

// On a destination that compares names without case or normalization, targets that differ only
// so are one file: the preview shows the clash instead of the run failing on it.
TEST(FileMoveTest, ThePlanSeesTheClashesOfTheDestinationsWayOfComparingNames) {
    const testsupport::TempFolder folder;
    const auto source = [&](const char* name, const QString& artist, const QString& title) {
        const QString path = folder.Path(QString::fromLatin1(name));
        testsupport::WriteFile(path, "audio");
        return batch::MoveSource{path, batch::FieldsOfTag({title, artist})};
    };
    const std::vector<batch::MoveSource> sources = {
        source("1.mp3", "Band", "Song"), source("2.mp3", "BAND", "song"),
        source("3.mp3", QStringLiteral("Caf\u00e9"), "x"),
        source("4.mp3", QStringLiteral("Cafe\u0301"), "x")};
    const auto pattern = *naming::NamePattern::Parse(QStringLiteral("%artist%/%title%"));
    const QString out = folder.Path(QStringLiteral("out"));
    const auto states = [&](const batch::NameFolding& folding) {
        QStringList texts;
        for (const batch::PlannedMove& move :
             batch::PlanMoves(sources, pattern, out, naming::NameRules::Posix, folding))
            texts << batch::StateText(move.state);
        return texts;
    };
    EXPECT_EQ(states({}), QStringList(4, "will move"));
    EXPECT_EQ(states({true, false}),
              (QStringList{"conflict", "conflict", "will move", "will move"}));
    EXPECT_EQ(states({false, true}),
              (QStringList{"will move", "will move", "conflict", "conflict"}));

    // The test's own folder compares names exactly; the probe leaves nothing behind, even where
    // the destination does not exist yet.
    const batch::NameFolding probed = batch::ProbeNameFolding(out);
    EXPECT_FALSE(probed.ignoresCase || probed.ignoresNormalization);
    EXPECT_EQ(QDir(folder.Root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"1.mp3", "2.mp3", "3.mp3", "4.mp3"}));
}

} // namespace
