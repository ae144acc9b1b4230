#include "TestSupport.h"
#include "journal/JournalReader.h"
#include "journal/JournalWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QStringList kMoves{QStringLiteral("organize")};

QJsonObject Move(int n) {
    return {{"kind", "move"}, {"from", QStringLiteral("a%1").arg(n)}, {"n", n}};
}

TEST(JournalTest, FinishedRunReadsBackNewestFirstUntilUndone) {
    const testsupport::TempFolder folder;
    QString first;
    {
        journal::JournalWriter writer(QStringLiteral("organize"), folder.Root());
        ASSERT_TRUE(writer.IsOpen()) << writer.ErrorText().toStdString();
        ASSERT_TRUE(writer.Append(Move(1)));
        first = writer.Path();
    }
    journal::JournalWriter other(QStringLiteral("tags"), folder.Root());
    ASSERT_TRUE(other.Append(Move(9)));
    other.End();
    journal::JournalWriter writer(QStringLiteral("organize"), folder.Root());
    for (int n = 1; n <= 3; ++n)
        ASSERT_TRUE(writer.Append(Move(n)));
    writer.End();

    const auto finished = journal::FinishedJournals(kMoves, folder.Root());
    ASSERT_EQ(finished.size(), 2u);
    const auto last = finished.begin();
    EXPECT_EQ(last->path, writer.Path());
    EXPECT_EQ(last->records, 3);
    EXPECT_TRUE(last->ended);
    EXPECT_TRUE(last->started.isValid());
    const auto records = journal::RecordsNewestFirst(last->path);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records.front(), Move(3));
    EXPECT_EQ(records.back(), Move(1));
    EXPECT_TRUE(journal::UnfinishedJournals(kMoves, folder.Root()).empty());

    // Undone, the run before it becomes the last one; the other command's journal never counts.
    ASSERT_TRUE(journal::MarkUndone(last->path));
    EXPECT_EQ(journal::FinishedJournals(kMoves, folder.Root()).front().path, first);
    ASSERT_TRUE(journal::MarkUndone(first));
    EXPECT_TRUE(journal::FinishedJournals(kMoves, folder.Root()).empty());
}

TEST(JournalTest, RunThatDiedIsOfferedButNotOneInProgress) {
    const testsupport::TempFolder folder;
    journal::JournalWriter writer(QStringLiteral("organize"), folder.Root());
    ASSERT_TRUE(writer.Append(Move(1)));
    ASSERT_TRUE(writer.Append(Move(2)));
    // In progress: locked by its writer, so neither left behind nor finished.
    EXPECT_TRUE(journal::UnfinishedJournals(kMoves, folder.Root()).empty());
    EXPECT_TRUE(journal::FinishedJournals(kMoves, folder.Root()).empty());

    // What the disk holds if the program dies now, with a third record torn half-way.
    const QString died = folder.Path(QStringLiteral("00000000-died-organize.jsonl"));
    QByteArray bytes = testsupport::ReadFile(writer.Path());
    bytes += R"({"kind":"move","fr)";
    testsupport::WriteFile(died, bytes);
    writer.End();

    const auto left = journal::UnfinishedJournals(kMoves, folder.Root());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left.front().path, died);
    EXPECT_EQ(left.front().records, 2);
    const auto records = journal::RecordsNewestFirst(died);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records.front(), Move(2));

    // Pruning keeps the newest journals and every run that died and was not undone.
    journal::PruneJournals(folder.Root(), 0);
    EXPECT_EQ(QDir(folder.Root()).entryList(QDir::Files), QStringList{QFileInfo(died).fileName()});

    ASSERT_TRUE(journal::MarkUndone(died));
    EXPECT_TRUE(journal::UnfinishedJournals(kMoves, folder.Root()).empty());
    EXPECT_TRUE(journal::ReadJournalInfo(died)->undone);
    journal::PruneJournals(folder.Root(), 1);
    EXPECT_TRUE(QFileInfo::exists(died));
    journal::PruneJournals(folder.Root(), 0);
    EXPECT_TRUE(QDir(folder.Root()).isEmpty());
}

TEST(JournalTest, RunWithoutChangesLeavesNoJournalAndBadFolderSaysWhy) {
    const testsupport::TempFolder folder;
    QString path;
    {
        journal::JournalWriter writer(QStringLiteral("organize"), folder.Root());
        ASSERT_TRUE(writer.IsOpen());
        path = writer.Path();
        EXPECT_TRUE(QFile::exists(path));
    }
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QDir(folder.Root()).isEmpty());

    // A plain file where the folder should be.
    testsupport::WriteFile(folder.Path(QStringLiteral("file")), "x");
    journal::JournalWriter blocked(QStringLiteral("organize"), folder.Path(QStringLiteral("file")));
    EXPECT_FALSE(blocked.IsOpen());
    EXPECT_FALSE(blocked.Append(Move(1)));
    EXPECT_TRUE(blocked.ErrorText().contains(folder.Path(QStringLiteral("file"))));
}

} // namespace
