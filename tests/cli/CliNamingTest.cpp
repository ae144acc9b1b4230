// organize, rename, from-names and undo run as users run them, over real trees, with the undo
// journal in a data folder of the test's own.
#include "CliRun.h"
#include "TagFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QMultiMap>
#include <algorithm>
#include <unistd.h>

namespace {

using clitest::RunCli;
using testsupport::TempFolder;

class CliNaming : public ::testing::Test {
  protected:
    void SetUp() override { qputenv("XDG_DATA_HOME", data.Root().toUtf8()); }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

    QStringList Journals() const {
        return QDir(data.Path(QStringLiteral("Kivuna/journals"))).entryList(QDir::Files);
    }

    TempFolder data;
    TempFolder folder;
};

QJsonObject V2(const QString& title, const QString& artist, const QString& album) {
    return {{"v2", QJsonObject{{"version", 4},
                               {"frames", QJsonObject{{"TIT2", title},
                                                      {"TPE1", artist},
                                                      {"TALB", album},
                                                      {"TRCK", "3"}}}}}};
}

// The independent reader's view, read-only so that lookups chain.
const QJsonObject ReadTags(const QString& path) {
    return tagfiles::ReadTags(path);
}

QStringList Folders(const QString& root) {
    QStringList folders;
    QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        folders << it.next();
    return folders;
}

// "from -> to (state)" lines of a dry run, by state.
QMultiMap<QString, std::pair<QString, QString>> PlanLines(const QByteArray& out) {
    QMultiMap<QString, std::pair<QString, QString>> lines;
    for (const QString& line : QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype arrow = line.indexOf(QStringLiteral(" -> "));
        const qsizetype open = line.lastIndexOf(QStringLiteral(" ("));
        EXPECT_TRUE(arrow > 0 && open > arrow && line.endsWith(u')')) << line.toStdString();
        lines.insert(line.mid(open + 2, line.size() - open - 3),
                     {line.left(arrow), line.mid(arrow + 4, open - arrow - 4)});
    }
    return lines;
}

// A corpus tree with two more files tagged alike, which the pattern sends to one path: a dry run
// changes nothing, the run skips the conflicts with a line each, and the undo gives the tree
// back byte for byte with none of the run's folders left.
TEST_F(CliNaming, OrganizeSkipsConflictsAndItsUndoGivesTheTreeBack) {
    const QString root = folder.Path(QStringLiteral("tree"));
    clitest::MakeCorpus(root, 16, 7);
    const TempFolder twins;
    for (const QString name : {"a.mp3", "b.mp3"}) {
        const QString made = tagfiles::MakeMp3(twins, name, V2("Same", "Twins", "One"));
        QFile::rename(made, root + u'/' + name);
    }
    const QMap<QString, QByteArray> before = clitest::TreeBytes(root);
    const QString destination = folder.Path(QStringLiteral("sorted"));

    const clitest::CliResult dry = RunCli({"organize", "--dry-run", "--to", destination, root});
    EXPECT_EQ(dry.exitCode, 1);
    const auto plan = PlanLines(dry.out);
    const qsizetype mp3s = std::count_if(before.keyBegin(), before.keyEnd(), [](const QString& p) {
        return p.endsWith(QStringLiteral(".mp3"), Qt::CaseInsensitive);
    });
    EXPECT_EQ(plan.size(), mp3s);
    const QString twinTarget = destination + QStringLiteral("/Twins/One/03 - Same.mp3");
    EXPECT_TRUE(plan.values("conflict").contains({root + QStringLiteral("/a.mp3"), twinTarget}));
    ASSERT_EQ(dry.errorLines.size(), plan.count("conflict"));
    for (const QString& line : dry.errorLines)
        EXPECT_TRUE(line.startsWith("kivuna-cli: " + root + u'/')) << line.toStdString();
    EXPECT_EQ(clitest::TreeBytes(root), before);
    EXPECT_FALSE(QFileInfo::exists(destination));
    EXPECT_TRUE(Journals().isEmpty());

    const clitest::CliResult run = RunCli({"organize", "--to", destination, root});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errorLines, dry.errorLines);
    for (const auto& [from, to] : plan.values("will move") + plan.values("incomplete")) {
        EXPECT_FALSE(QFileInfo::exists(from)) << from.toStdString();
        EXPECT_EQ(testsupport::ReadFile(to), before[from.mid(root.size() + 1)]) << to.toStdString();
    }
    for (const auto& [from, to] : plan.values("conflict"))
        EXPECT_TRUE(QFileInfo::exists(from)) << from.toStdString();
    EXPECT_EQ(Journals().size(), 1);

    const clitest::CliResult undo = RunCli({"undo"});
    EXPECT_EQ(undo.exitCode, 0) << undo.errorLines.join(u'\n').toStdString();
    EXPECT_EQ(clitest::TreeBytes(root), before);
    EXPECT_FALSE(QFileInfo::exists(destination)) << Folders(destination).join(u' ').toStdString();
    const clitest::CliResult again = RunCli({"undo", "organize"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.errorLines.size(), 1);
}

// Fields read from the names reach the chosen tag as the independent reader sees it, the others
// keep their texts; a name that does not fit is one line; the undo writes the old texts back.
TEST_F(CliNaming, FromNamesWritesTheNamedFieldsAndItsUndoTheOldOnes) {
    const QString first = tagfiles::MakeMp3(folder, QStringLiteral("Mira Vale - Night Drive.mp3"),
                                            V2("old title", "old artist", "Kept Album"));
    const QString second = tagfiles::MakeMp3(folder, QStringLiteral("Кино - Группа крови.mp3"),
                                             QJsonObject{{"v1", QJsonObject{{"title", "v1"}}}});
    const QString unfit =
        tagfiles::MakeMp3(folder, QStringLiteral("no dash.mp3"), V2("u", "u", "u"));
    const QByteArray unfitBytes = testsupport::ReadFile(unfit);

    const clitest::CliResult dry = RunCli({"from-names", "--dry-run", "--v2", folder.Root()});
    EXPECT_EQ(dry.exitCode, 1);
    EXPECT_TRUE(dry.out.contains("ID3v2 Title: \"old title\" -> \"Night Drive\""))
        << dry.out.toStdString();
    EXPECT_EQ(ReadTags(first)["v2"]["frames"]["TIT2"].toString(), "old title");

    const clitest::CliResult run = RunCli({"from-names", "--v2", folder.Root()});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.errorLines.size(), 1);
    EXPECT_TRUE(run.errorLines[0].startsWith("kivuna-cli: " + unfit + ": "));
    EXPECT_EQ(testsupport::ReadFile(unfit), unfitBytes);
    const QJsonObject firstTags = ReadTags(first);
    EXPECT_EQ(firstTags["v2"]["frames"]["TIT2"].toString(), "Night Drive");
    EXPECT_EQ(firstTags["v2"]["frames"]["TPE1"].toString(), "Mira Vale");
    EXPECT_EQ(firstTags["v2"]["frames"]["TALB"].toString(), "Kept Album");
    const QJsonObject secondTags = ReadTags(second);
    EXPECT_EQ(secondTags["v2"]["frames"]["TPE1"].toString(), "Кино");
    EXPECT_EQ(secondTags["v2"]["frames"]["TIT2"].toString(), "Группа крови");
    EXPECT_EQ(secondTags["v1"]["title"].toString(), "v1");

    const clitest::CliResult undo = RunCli({"undo", "from-names"});
    EXPECT_EQ(undo.exitCode, 0) << undo.errorLines.join(u'\n').toStdString();
    const QJsonObject back = ReadTags(first);
    EXPECT_EQ(back["v2"]["frames"]["TIT2"].toString(), "old title");
    EXPECT_EQ(back["v2"]["frames"]["TPE1"].toString(), "old artist");
    EXPECT_EQ(back["v2"]["frames"]["TALB"].toString(), "Kept Album");
}

// A rename keeps files in their folders; undo without a name takes the newest run, then the
// one before it.
TEST_F(CliNaming, UndoTakesTheNewestRunFirst) {
    const QString song =
        tagfiles::MakeMp3(folder, QStringLiteral("x.mp3"), V2("Echo", "Nova Drift", "Night Shift"));
    ASSERT_EQ(RunCli({"rename", song}).exitCode, 0);
    const QString renamed = folder.Path(QStringLiteral("03 - Echo.mp3"));
    ASSERT_TRUE(QFileInfo::exists(renamed));
    // A second name keeps the file's inode in use, so no file made later can take its number,
    // and makes every tag write keep the file in place.
    ASSERT_EQ(::link(QFile::encodeName(renamed).constData(),
                     QFile::encodeName(folder.Path(QStringLiteral("second name"))).constData()),
              0);
    ASSERT_EQ(RunCli({"from-names", "--pattern", "%track% - %album%", "--v2", renamed}).exitCode,
              0);
    EXPECT_EQ(ReadTags(renamed)["v2"]["frames"]["TALB"].toString(), "Echo");

    const clitest::CliResult tags = RunCli({"undo"});
    EXPECT_EQ(tags.exitCode, 0);
    EXPECT_TRUE(tags.out.startsWith("Undoing tags-from-names")) << tags.out.toStdString();
    EXPECT_EQ(ReadTags(renamed)["v2"]["frames"]["TALB"].toString(), "Night Shift");
    // The tags came back byte for byte into the same file, so the rename goes back too.
    const clitest::CliResult moves = RunCli({"undo"});
    EXPECT_EQ(moves.exitCode, 0) << moves.errorLines.join(u'\n').toStdString();
    EXPECT_TRUE(QFileInfo::exists(song) && !QFileInfo::exists(renamed));
    EXPECT_TRUE(RunCli({"undo", "--list"}).out.isEmpty());

    // A file put in the renamed one's place, even with the same bytes, is not the file the run
    // moved: it stays where it is, named, and the run stays on offer.
    ASSERT_EQ(RunCli({"rename", song}).exitCode, 0);
    const QString copy = folder.Path(QStringLiteral("copy"));
    testsupport::WriteFile(copy, testsupport::ReadFile(renamed));
    ASSERT_TRUE(QFile::remove(renamed) && QFile::rename(copy, renamed));
    const clitest::CliResult replaced = RunCli({"undo"});
    EXPECT_EQ(replaced.exitCode, 1);
    EXPECT_EQ(replaced.errorLines.size(), 1) << replaced.errorLines.join(u'\n').toStdString();
    EXPECT_TRUE(replaced.errorLines.value(0).contains(": not the file the run moved there"));
    EXPECT_TRUE(QFileInfo::exists(renamed));
    EXPECT_TRUE(RunCli({"undo", "--list"}).out.startsWith("Rename files\t"));
}

} // namespace
