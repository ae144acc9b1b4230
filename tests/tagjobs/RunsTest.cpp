// Every journaled run of the core, made as the window makes it and taken back by kivuna-cli, and
// the other way round: one journal, one undo, whichever front end made the run.
#include "TagFiles.h"
#include "TestSupport.h"
#include "batch/MovePlan.h"
#include "tagjobs/MoveRun.h"
#include "tagjobs/ProcessFile.h"
#include "tagjobs/RunKinds.h"
#include "tagjobs/TagsFromNames.h"
#include "tagjobs/TagsRun.h"
#include "tagjobs/Undo.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <functional>
#include <map>
#include <tuple>

namespace {

using tagaccess::TagFields;
using testsupport::TempFolder;

// Keeps every outcome; made in the front end it is told.
class Observer : public tagjobs::RunObserver {
  public:
    explicit Observer(QString frontEnd) : frontEnd_(std::move(frontEnd)) {}
    void RunBegins(const QString&, int) override {}
    void FileBegins(const QString&) override {}
    void FileEnds(const QString& path, const tagjobs::FileOutcome& outcome) override {
        if (!outcome.failure.isEmpty())
            failures << path + QStringLiteral(": ") + outcome.failure;
    }
    bool ShouldStop() override { return false; }
    void RunEnds() override {}
    QString FrontEnd() const override { return frontEnd_; }

    QStringList failures;

  private:
    QString frontEnd_;
};

// What a run may change and its undo must give back byte for byte: every file under the folder by
// its path relative to it.
std::map<QString, QByteArray> Tree(const QString& root) {
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(root).relativeFilePath(path)] = testsupport::ReadFile(path);
    }
    return files;
}

struct Shell {
    int exitCode = -1;
    QString out;
    QString err;
};

// kivuna-cli as users run it; unless `failing`, it must go through without a line on stderr.
Shell RunCli(const QStringList& args, bool failing = false) {
    QProcess cli;
    cli.start(QStringLiteral(KIVUNA_CLI), args);
    EXPECT_TRUE(cli.waitForFinished(60000));
    const Shell shell{cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
                      QString::fromUtf8(cli.readAllStandardOutput()),
                      QString::fromUtf8(cli.readAllStandardError())};
    if (!failing) {
        EXPECT_TRUE(shell.err.isEmpty())
            << args.join(u' ').toStdString() << ": " << shell.err.toStdString();
    }
    return shell;
}

class RunsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("XDG_DATA_HOME", data.Root().toUtf8());
        // The journal folder is the application's, as in both programs.
        QCoreApplication::setApplicationName(QStringLiteral("Kivuna"));
    }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

    // Files named "Artist - Title.mp3" whose two tags the tag library wrote, as after a sync.
    std::vector<QString> Files() {
        const std::vector<std::pair<QString, TagFields>> songs = {
            {"Кино - Группа крови.mp3",
             {"Группа крови", "Кино", "Группа крови", "1988", "Rock", "1", ""}},
            {"Mira Vale - Night Drive.mp3",
             {"Night Drive", "Mira Vale", "First Light", "1998", "", "7", "ripped"}},
            {"Band - Song.mp3", {"Song", "Band", "Disc", "", "Jazz", "", "note"}}};
        std::vector<QString> paths;
        QDir().mkpath(In());
        for (const auto& [name, fields] : songs) {
            const QString path = tagfiles::MakeMp3(folder, QStringLiteral("in/") + name);
            TagFields v1 = fields;
            if (v1[tagaccess::kTrack].isEmpty())
                v1[tagaccess::kTrack] = QStringLiteral("0");
            TagFields v2 = fields;
            v2.resize(tagaccess::kTagFieldCountWithPicture);
            EXPECT_TRUE(id3.WriteId3v1(path, v1, true) && id3.WriteId3v2(path, v2, true));
            paths.push_back(path);
        }
        files_ = paths;
        return paths;
    }
    // A file another tagger wrote, in forms the seven fields cannot show: a v2.4 tag with a
    // multi-value artist, a track of "3/12", a full date, two comments in other languages and a
    // picture (100 KiB, so the journal keeps it in pieces).
    QString RareFile() {
        QByteArray picture(100 * 1024, '\0');
        for (char& byte : picture)
            byte = char(QRandomGenerator::global()->bounded(256));
        testsupport::WriteFile(folder.Path(QStringLiteral("cover.jpg")), picture);
        const QString path = tagfiles::MakeMp3(
            folder, QStringLiteral("in/Solo - Tune.mp3"),
            {{"v1", QJsonObject{{"title", "Solo"}, {"track", 3}, {"genre", 17}}},
             {"v2",
              QJsonObject{
                  {"version", 4},
                  {"frames", QJsonObject{{"TIT2", "Solo"},
                                         {"TPE1", QJsonArray{"Tune", "Other"}},
                                         {"TRCK", "3/12"},
                                         {"TDRC", "1999-12-31"}}},
                  {"comments", QJsonObject{{"", "first"}, {"note", QJsonArray{"deu", "zweite"}}}},
                  {"pictures", QJsonArray{QJsonObject{{"type", 3},
                                                      {"mime", "image/jpeg"},
                                                      {"file", folder.Path("cover.jpg")}}}}}}});
        files_.push_back(path);
        return path;
    }
    QString In() const { return folder.Path(QStringLiteral("in")); }
    auto Everything() const { return Tree(folder.Root()); }

    TempFolder data;
    TempFolder folder;
    std::vector<QString> files_;
    testsupport::MessageCapture messages;
    tagaccess::ID3 id3;
};

using WindowRun = std::function<void(const std::vector<QString>& files, Observer& window)>;

TEST_F(RunsTest, TheShellTakesBackEveryKindOfRunTheWindowMade) {
    const auto tags = [](tagjobs::FilePlanner planner, const QString& command) {
        return [=](const std::vector<QString>& files, Observer& window) {
            tagaccess::ID3 id3;
            const tagjobs::TagsRunResult result = tagjobs::RunTagChanges(
                id3, tagjobs::FileSet::Listed(files), window, command, planner);
            EXPECT_GT(result.written, 0);
        };
    };
    const auto moves = [](const QString& destination, const QString& command) {
        return [=](const std::vector<QString>& files, Observer& window) {
            tagaccess::ID3 id3;
            const std::vector<batch::MoveSource> sources =
                tagjobs::ReadMoveSources(id3, tagjobs::FileSet::Listed(files), window, false);
            const auto plan = batch::PlanMoves(
                sources, *naming::NamePattern::Parse(naming::kOrganizePattern), destination);
            EXPECT_EQ(
                tagjobs::RunMoves(plan, batch::MoveMode::Move, command, destination, window).moved,
                int(files.size()));
        };
    };
    tagjobs::FieldEdit edit;
    edit.values[tagaccess::kTitle] = QStringLiteral("Edited");
    edit.autoNumber = true;
    const auto both = tagjobs::ChosenTags::Both;
    const std::vector<std::pair<const char*, WindowRun>> runs = {
        {"edit",
         tags(tagjobs::ChangePlanner(both,
                                     [edit](const TagFields& old, int version, int position) {
                                         return tagjobs::ApplyFieldEdit(old, edit, version,
                                                                        position);
                                     }),
              tagjobs::kEditCommand)},
        {"clear", tags(tagjobs::ClearPlanner(both), tagjobs::kClearCommand)},
        {"remove", tags(tagjobs::RemovalPlanner(both), tagjobs::kRemoveCommand)},
        {"translit", tags(tagjobs::ChangePlanner(both,
                                                 [](const TagFields& old, int, int) {
                                                     return tagjobs::TranslitFields(
                                                         old, tagjobs::TranslitDirection::RusToEng);
                                                 }),
                          tagjobs::kTranslitCommand)},
        {"from names",
         tags(tagjobs::FromNamesPlanner(
                  *naming::NamePattern::Parse(QStringLiteral("%title% - %artist%")), both),
              tagjobs::kTagsFromNamesCommand)},
        {"organize", moves(folder.Path(QStringLiteral("out")), tagjobs::kOrganizeCommand)},
        {"rename", moves(QString(), tagjobs::kRenameCommand)},
        // Only the file whose tags differ is changed, and kept.
        {"sync",
         [](const std::vector<QString>& files, Observer& window) {
             tagaccess::ID3 id3;
             EXPECT_EQ(tagjobs::SyncRun(id3, tagjobs::FileSet::Listed(files), window,
                                        tagjobs::kPreferV2, tagjobs::SyncFailures::Counted)
                           .written,
                       1);
         }},
    };
    std::vector<QString> files = Files();
    files.push_back(RareFile());
    const auto before = Everything();
    for (const auto& [what, run] : runs) {
        SCOPED_TRACE(what);
        Observer window(tagjobs::kWindowFrontEnd);
        run(files, window);
        EXPECT_TRUE(window.failures.isEmpty()) << window.failures.join(u'\n').toStdString();
        EXPECT_NE(Everything(), before);
        EXPECT_TRUE(RunCli({"undo", "--list"}).out.contains(u"\twindow"));
        EXPECT_EQ(RunCli({"undo"}).exitCode, 0);
        EXPECT_EQ(Everything(), before);
    }
    EXPECT_TRUE(tagjobs::UndoableRuns(tagjobs::AllCommands()).empty());
}

TEST_F(RunsTest, TheWindowTakesBackEveryKindOfRunTheShellMade) {
    std::vector<QString> files = Files();
    files.push_back(RareFile());
    const auto before = Everything();
    const std::vector<std::pair<const char*, QStringList>> runs = {
        {"set", {"set", "--title", "Shell", "--track", "9"}},
        {"from names", {"from-names", "--pattern", "%title% - %artist%", In()}},
        {"organize", {"organize", "--to", folder.Path(QStringLiteral("out")), In()}},
        {"rename", {"rename", In()}},
        {"sync", {"sync", In()}},
    };
    for (const auto& [what, args] : runs) {
        SCOPED_TRACE(what);
        QStringList command = args;
        if (command.front() == u"set")
            for (const QString& file : files)
                command << file;
        EXPECT_EQ(RunCli(command).exitCode, 0);
        EXPECT_NE(Everything(), before);
        const std::optional<tagjobs::UndoTarget> last =
            tagjobs::FindUndoTarget(tagjobs::AllCommands());
        ASSERT_TRUE(last);
        EXPECT_EQ(last->journal.frontEnd, tagjobs::kShellFrontEnd);
        Observer window(tagjobs::kWindowFrontEnd);
        const tagjobs::UndoResult result = tagjobs::UndoRun(*last, id3, window);
        // A sync changes only the file whose two tags differ.
        EXPECT_EQ(result.restored, command.front() == u"sync" ? 1 : int(files.size()));
        EXPECT_TRUE(window.failures.isEmpty()) << window.failures.join(u'\n').toStdString();
        EXPECT_EQ(Everything(), before);
    }
    EXPECT_FALSE(tagjobs::FindUndoTarget(tagjobs::AllCommands()));
}

// A file the run could not change is no file of its undo: not counted, not failed again, and the
// run is not kept on offer for it.
TEST_F(RunsTest, AFileTheRunCouldNotChangeIsNoPartOfItsUndo) {
    const std::vector<QString> files = Files();
    ASSERT_TRUE(QFile::setPermissions(files[0], QFileDevice::ReadOwner));
    QStringList set = {"set", "--title", "Changed"};
    for (const QString& file : files)
        set << file;
    const Shell run = RunCli(set, true);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(files[0])) << run.err.toStdString();
    const Shell undo = RunCli({"undo"});
    EXPECT_EQ(undo.exitCode, 0);
    EXPECT_TRUE(undo.out.contains("Undone: 2 file(s).")) << undo.out.toStdString();
    EXPECT_TRUE(RunCli({"undo", "--list"}).out.isEmpty());
}

// A text no ID3v1 record can hold whole is not written into it as "?": that tag stays as it was,
// and the file is named.
TEST_F(RunsTest, ATextAnId3v1RecordCannotHoldLeavesThatTagAsItWas) {
    QDir().mkpath(In());
    const QString path =
        tagfiles::MakeMp3(folder, QStringLiteral("in/song.mp3"),
                          {{"v1", QJsonObject{{"title", "Crème Brûlée"}}},
                           {"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "Crème Brûlée"}}}}}});
    const QJsonValue v1Before = tagfiles::ReadTags(path)[u"v1"];
    Observer window(tagjobs::kWindowFrontEnd);
    const tagjobs::TagsRunResult result = tagjobs::RunTagChanges(
        id3, tagjobs::FileSet::Listed({path}), window, tagjobs::kTranslitCommand,
        tagjobs::ChangePlanner(tagjobs::ChosenTags::Both, [](const TagFields& old, int, int) {
            return tagjobs::TranslitFields(old, tagjobs::TranslitDirection::EngToRus);
        }));
    EXPECT_EQ(result.written, 1);
    ASSERT_EQ(window.failures.size(), 1);
    EXPECT_TRUE(window.failures[0].contains(u"cannot be stored in ID3v1"))
        << window.failures[0].toStdString();
    const QJsonObject after = tagfiles::ReadTags(path);
    EXPECT_EQ(after[u"v1"], v1Before);
    EXPECT_EQ(after[u"v2"][u"frames"][u"TIT2"].toString(),
              tagjobs::TranslitFields({"Crème Brûlée"}, tagjobs::TranslitDirection::EngToRus)[0]);
}

// A journal planted in the journal folder, or one whose records leave the run's folders, is
// refused whole: nothing it names is deleted, moved or removed.
TEST_F(RunsTest, AnUndoRefusesAJournalItCannotTrust) {
    const QString victim = folder.Path(QStringLiteral("victim.mp3"));
    testsupport::WriteFile(victim, "the user's own file");
    const QString journals = data.Path(QStringLiteral("Kivuna/journals"));
    QDir().mkpath(journals);
    const auto plant = [&](const QString& name, const QByteArray& header, int mode = 0600) {
        const QString path = journals + u'/' + name;
        const QByteArray record = R"({"kind":"copy","from":"/nonexistent","to":")" +
                                  victim.toUtf8() +
                                  R"(","folders":[],"id":{"dev":"1","ino":"1",)"
                                  R"("size":"19","mtime_ns":"1"}})";
        testsupport::WriteFile(path, header + "\n" + record + "\n" + R"({"kind":"done","to":")" +
                                         victim.toUtf8() + R"("})" + "\n" + R"({"journal":"end"})" +
                                         "\n");
        QFile::setPermissions(path, QFileDevice::Permissions(mode == 0600 ? 0x6600 : 0x6666));
        return path;
    };
    const QByteArray begin =
        R"({"journal":"begin","command":"organize","time":"2026-01-01T00:00:00Z")";
    const std::vector<std::pair<QString, QString>> cases = {
        {plant("20260101-000000-000-000-organize.jsonl", begin + "}"),
         "does not name the folders its run worked under"},
        {plant("20260101-000001-000-000-organize.jsonl",
               begin + R"(,"roots":[")" + folder.Path(QStringLiteral("music")).toUtf8() + R"("]})"),
         "a path outside the run's folders"},
        {plant("20260101-000002-000-000-organize.jsonl", begin + R"(,"roots":["/"]})", 0666),
         "others may write it"},
    };
    // Newest first, each refused; none is ever marked undone, so each stays first in line.
    for (auto it = cases.rbegin(); it != cases.rend(); ++it) {
        const Shell undo = RunCli({"undo"}, true);
        EXPECT_EQ(undo.exitCode, 1);
        EXPECT_TRUE(undo.err.contains(it->second)) << undo.err.toStdString();
        EXPECT_EQ(testsupport::ReadFile(victim), "the user's own file");
        QFile::remove(it->first);
    }
}

// Copies edited or replaced since the run, a moved file relocated or deleted since: left as they
// are and named, exit 1; the rest goes back, and the run stays on offer for what is left.
TEST_F(RunsTest, AnUndoTakesBackOnlyWhatIsStillAsTheRunLeftItAndNamesTheRest) {
    Files();
    const QString out = folder.Path(QStringLiteral("out"));
    EXPECT_EQ(RunCli({"organize", "--copy", "--to", out, In()}).exitCode, 0);
    const QString edited = out + QStringLiteral("/Mira Vale/First Light/07 - Night Drive.mp3");
    const QString replaced = out + QStringLiteral("/Band/Disc/- Song.mp3");
    ASSERT_TRUE(QFileInfo::exists(edited) && QFileInfo::exists(replaced));
    // Edited by another program: no run of ours to undo first.
    TagFields v1 = id3.ReadId3v1(edited, true);
    v1[tagaccess::kComment] = QStringLiteral("mine now");
    EXPECT_TRUE(id3.WriteId3v1(edited, v1, true));
    testsupport::WriteFile(replaced, testsupport::ReadFile(files_[0]));

    const Shell copies = RunCli({"undo"}, true);
    EXPECT_EQ(copies.exitCode, 1);
    EXPECT_TRUE(copies.out.contains("Undone: 1 file(s).")) << copies.out.toStdString();
    EXPECT_TRUE(copies.err.contains(edited + QStringLiteral(": changed since the run copied it")));
    EXPECT_TRUE(
        copies.err.contains(replaced + QStringLiteral(": changed since the run copied it")));
    EXPECT_TRUE(QFileInfo::exists(edited) && QFileInfo::exists(replaced));
    EXPECT_TRUE(RunCli({"undo", "--list"}).out.startsWith("Organize Files\t"));
    QDir(out).removeRecursively();

    // Moves: one file relocated by the user, one deleted.
    const auto before = Everything();
    EXPECT_EQ(RunCli({"organize", "--to", out, In()}).exitCode, 0);
    const QString relocated = out + QStringLiteral("/Band/Disc/- Song.mp3");
    const QString deleted = out + QStringLiteral("/Mira Vale/First Light/07 - Night Drive.mp3");
    ASSERT_TRUE(QFile::rename(relocated, folder.Path(QStringLiteral("kept.mp3"))));
    ASSERT_TRUE(QFile::remove(deleted));
    const Shell moves = RunCli({"undo"}, true);
    EXPECT_EQ(moves.exitCode, 1);
    EXPECT_TRUE(moves.out.contains("Undone: 1 file(s).")) << moves.out.toStdString();
    EXPECT_TRUE(moves.err.contains(relocated + QStringLiteral(": no longer where the run")));
    EXPECT_TRUE(moves.err.contains(deleted + QStringLiteral(": no longer where the run")));
    EXPECT_EQ(moves.err.count(u'\n'), 2) << moves.err.toStdString();
    EXPECT_EQ(Everything().count(QStringLiteral("in/Кино - Группа крови.mp3")), 1u);
    EXPECT_NE(Everything(), before);
}

// A move that failed leaves no change behind: its undo never touches what stands at its target.
TEST_F(RunsTest, AnUndoLeavesAloneWhatAFailedMoveNeverMoved) {
    const std::vector<QString> files = Files();
    const QString out = folder.Path(QStringLiteral("out"));
    Observer window(tagjobs::kWindowFrontEnd);
    const auto plan = batch::PlanMoves(
        tagjobs::ReadMoveSources(id3, tagjobs::FileSet::Listed(files), window, false),
        *naming::NamePattern::Parse(QStringLiteral("%title%")), out);
    // The user's own file appears at one target after the preview, before the run.
    QDir().mkpath(out);
    const QString taken = out + QStringLiteral("/Song.mp3");
    testsupport::WriteFile(taken, "the user's own file");
    const tagjobs::MoveRunResult run =
        tagjobs::RunMoves(plan, batch::MoveMode::Move, tagjobs::kOrganizeCommand, out, window);
    EXPECT_EQ(run.moved, 2);
    EXPECT_EQ(run.failed, 1);

    const Shell undo = RunCli({"undo"});
    EXPECT_EQ(undo.exitCode, 0);
    EXPECT_TRUE(undo.out.contains("Undone: 2 file(s).")) << undo.out.toStdString();
    EXPECT_EQ(testsupport::ReadFile(taken), "the user's own file");
    for (const QString& file : files)
        EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
}

// Links: a linked folder leading out of the named tree is not followed, and a link named is never
// copied as the file it points to.
TEST_F(RunsTest, RunsStayInsideTheNamedTreesAndNeverCopyALink) {
    Files();
    QDir().mkpath(folder.Path(QStringLiteral("elsewhere")));
    const QString outside = folder.Path(QStringLiteral("elsewhere/Band - Other.mp3"));
    ASSERT_TRUE(QFile::copy(files_[2], outside));
    ASSERT_TRUE(QFile::link(folder.Path(QStringLiteral("elsewhere")),
                            folder.Path(QStringLiteral("in/linked"))));
    const Shell organize = RunCli({"organize", "--to", folder.Path(QStringLiteral("out")), In()});
    EXPECT_EQ(organize.exitCode, 0);
    EXPECT_TRUE(organize.out.startsWith("Moved 3 file(s)")) << organize.out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_EQ(RunCli({"undo"}).exitCode, 0);

    const QString link = folder.Path(QStringLiteral("link.mp3"));
    ASSERT_TRUE(QFile::link(files_[0], link));
    const Shell copy =
        RunCli({"organize", "--copy", "--to", folder.Path(QStringLiteral("out")), link}, true);
    EXPECT_EQ(copy.exitCode, 1);
    EXPECT_TRUE(copy.err.contains(link + QStringLiteral(" is a symbolic link")))
        << copy.err.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(folder.Path(QStringLiteral("out"))));
}

// Every file below the folder with its bytes, permissions and modification time.
std::map<QString, std::tuple<QByteArray, int, qint64>> Exactly(const QString& root) {
    std::map<QString, std::tuple<QByteArray, int, qint64>> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        files[QDir(root).relativeFilePath(path)] = {testsupport::ReadFile(path),
                                                    int(info.permissions()),
                                                    info.lastModified().toMSecsSinceEpoch()};
    }
    return files;
}

// Starts kivuna-cli with `args`, kills it after a random moment, then undoes every journal it
// left; answers how many of them were cut short (0 when the kill came before or after the run).
int KillAndUndo(const QStringList& args, QRandomGenerator& random) {
    QProcess run;
    run.start(QStringLiteral(KIVUNA_CLI), args);
    EXPECT_TRUE(run.waitForStarted());
    QThread::usleep(random.bounded(1000, 50000));
    run.kill();
    run.waitForFinished();
    int cutShort = 0;
    // A run that got no further than its journal's first line leaves nothing to undo.
    while (const auto last = tagjobs::FindUndoTarget(tagjobs::AllCommands())) {
        cutShort += last->unfinished ? 1 : 0;
        const Shell undo = RunCli({"undo"});
        EXPECT_EQ(undo.exitCode, 0) << undo.out.toStdString();
        if (undo.exitCode != 0)
            break;
    }
    return cutShort;
}

// An organize across file systems killed at a random moment, then undone: the tree comes back
// byte for byte, with its modes and times, and nothing is left at the destination. Six kills;
// KIVUNA_LONG_TESTS=1 makes them thirty.
TEST_F(RunsTest, AnOrganizeKilledAnywhereIsUndoneToTheTreeItFound) {
    const auto other = testsupport::OtherFileSystem(folder.Root());
    if (!other)
        GTEST_SKIP() << "no second file system (a tmpfs at /dev/shm) to organize across";
    QDir().mkpath(In());
    for (int i = 0; i < 40; ++i) {
        const QString path = In() + QStringLiteral("/Band %1 - Song %2.mp3").arg(i % 4).arg(i);
        testsupport::WriteFile(path, testsupport::SilentAudio(20 + i));
        TagFields v2{QStringLiteral("Song %1").arg(i),
                     QStringLiteral("Band %1").arg(i % 4),
                     QStringLiteral("Disc"),
                     "",
                     "",
                     QString::number(i + 1),
                     "",
                     ""};
        ASSERT_TRUE(id3.WriteId3v2(path, v2, true));
    }
    const auto before = Exactly(In());
    const QString out = other->path() + QStringLiteral("/out");
    const int kills = qEnvironmentVariableIntValue("KIVUNA_LONG_TESTS") != 0 ? 30 : 6;
    QRandomGenerator random(20261208);
    int cutShort = 0;
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE(kill);
        cutShort += KillAndUndo({"organize", "--to", out, In()}, random);
        EXPECT_EQ(Exactly(In()), before);
        EXPECT_TRUE(Exactly(other->path()).empty());
    }
    EXPECT_GT(cutShort, 0) << "no kill met a run in progress";
}

// A sync of searched folders, which plans and journals its files a batch at a time across
// folders, killed at random moments and undone: the tree comes back byte for byte.
TEST_F(RunsTest, ASyncOfFoldersKilledAnywhereIsUndoneToTheTreeItFound) {
    for (int i = 0; i < 90; ++i) {
        const QString path = In() + QStringLiteral("/Disc %1/Song %2.mp3").arg(i % 3).arg(i);
        QDir().mkpath(QFileInfo(path).path());
        testsupport::WriteFile(path, testsupport::SilentAudio(20 + i % 7));
        TagFields fields{QStringLiteral("Song %1").arg(i),
                         QStringLiteral("Band"),
                         "",
                         "",
                         "",
                         QStringLiteral("0"),
                         ""};
        // ID3v2 alone gets an ID3v1 record in place; ID3v1 alone a new ID3v2 tag in a new file.
        if (i % 2 == 1) {
            ASSERT_TRUE(id3.WriteId3v1(path, fields, true));
            continue;
        }
        fields.resize(tagaccess::kTagFieldCountWithPicture);
        ASSERT_TRUE(id3.WriteId3v2(path, fields, true));
    }
    const auto before = Tree(In());
    QRandomGenerator random(20261209);
    int cutShort = 0;
    for (int kill = 0; kill < 6; ++kill) {
        SCOPED_TRACE(kill);
        cutShort += KillAndUndo({"sync", In()}, random);
        EXPECT_EQ(Tree(In()), before);
    }
    EXPECT_GT(cutShort, 0) << "no kill met a run in progress";
}

// A run writes only the fields it changes, and its undo only those it changed back: every other
// frame keeps its text as stored, in forms the seven fields cannot show ("A5", "(17)").
TEST_F(RunsTest, RunsAndTheirUndoTouchOnlyTheFieldsTheyChange) {
    QDir().mkpath(In());
    const QString path =
        tagfiles::MakeMp3(folder, QStringLiteral("in/Band - Song.mp3"),
                          {{"v2", QJsonObject{{"version", 3},
                                              {"frames", QJsonObject{{"TIT2", "Song"},
                                                                     {"TPE1", "Band"},
                                                                     {"TRCK", "A5"},
                                                                     {"TCON", "(17)"}}}}}});
    const auto frames = [&] { return tagfiles::ReadTags(path)[u"v2"][u"frames"].toObject(); };
    const QJsonObject before = frames();
    EXPECT_EQ(RunCli({"set", "--v2", "--title", "Other", path}).exitCode, 0);
    QJsonObject expected = before;
    expected[u"TIT2"] = "Other";
    EXPECT_EQ(frames(), expected);
    EXPECT_EQ(RunCli({"from-names", "--v2", In()}).exitCode, 0);
    EXPECT_EQ(frames(), before) << "the name gives back the title; the track and genre stay";
    EXPECT_EQ(RunCli({"undo"}).exitCode, 0);
    EXPECT_EQ(frames(), expected);
    EXPECT_EQ(RunCli({"undo"}).exitCode, 0);
    EXPECT_EQ(frames(), before);

    // Tags another program changed after the run get their seven texts back, not the bytes the
    // run found, and the undo says so; the frames the texts cannot show still keep their forms.
    EXPECT_EQ(RunCli({"set", "--v2", "--title", "Other", path}).exitCode, 0);
    TagFields later = id3.ReadId3v2(path, true);
    later[tagaccess::kAlbum] = QStringLiteral("Added later");
    later.resize(tagaccess::kTagFieldCountWithPicture);
    EXPECT_TRUE(id3.WriteId3v2Fields(path, later, {false, false, true}, true));
    const Shell undo = RunCli({"undo"});
    EXPECT_TRUE(undo.out.contains(QStringLiteral("had their tags changed after the run")) &&
                undo.out.contains(path))
        << undo.out.toStdString();
    EXPECT_EQ(frames(), before);
}

} // namespace
