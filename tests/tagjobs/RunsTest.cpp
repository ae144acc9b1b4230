// Every journaled run of the core, made as the window makes it and taken back by kivuna-cli, and
// the other way round: one journal, one undo, whichever front end made the run.
#include "TagFiles.h"
#include "TestSupport.h"
#include "batch/MovePlan.h"
#include "tagjobs/MoveRun.h"
#include "tagjobs/RunKinds.h"
#include "tagjobs/TagsFromNames.h"
#include "tagjobs/TagsRun.h"
#include "tagjobs/Undo.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QProcess>
#include <functional>
#include <map>

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

// What a run may change and its undo must give back: every file under the folder by its path
// relative to it, with its audio bytes and both tags as the independent reader sees them. The
// tags' texts come back; their layout (frame order, padding) is the tag library's to choose.
std::map<QString, std::pair<QByteArray, QJsonValue>> Tree(const QString& root) {
    QStringList paths;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    const QJsonArray tags = tagfiles::ReadTagsOfFiles(paths);
    std::map<QString, std::pair<QByteArray, QJsonValue>> files;
    for (qsizetype i = 0; i < paths.size(); ++i)
        files[QDir(root).relativeFilePath(paths[i])] = {tagfiles::AudioOf(paths[i]), tags[i]};
    return files;
}

struct Shell {
    int exitCode = -1;
    QString out;
};

Shell RunCli(const QStringList& args) {
    QProcess cli;
    cli.start(QStringLiteral(KIVUNA_CLI), args);
    EXPECT_TRUE(cli.waitForFinished(60000));
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_TRUE(err.isEmpty()) << args.join(u' ').toStdString() << ": " << err.toStdString();
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromUtf8(cli.readAllStandardOutput())};
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
        return paths;
    }
    QString In() const { return folder.Path(QStringLiteral("in")); }
    auto Everything() const { return Tree(folder.Root()); }

    TempFolder data;
    TempFolder folder;
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
        {"edit", tags(tagjobs::ChangePlanner(both,
                                             [edit](const TagFields& old, int, int position) {
                                                 return tagjobs::ApplyFieldEdit(old, edit,
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
    };
    const std::vector<QString> files = Files();
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
    const std::vector<QString> files = Files();
    const auto before = Everything();
    const std::vector<std::pair<const char*, QStringList>> runs = {
        {"set", {"set", "--title", "Shell", "--track", "9"}},
        {"from names", {"from-names", "--pattern", "%title% - %artist%", In()}},
        {"organize", {"organize", "--to", folder.Path(QStringLiteral("out")), In()}},
        {"rename", {"rename", In()}},
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
        EXPECT_EQ(result.restored, int(files.size()));
        EXPECT_TRUE(window.failures.isEmpty()) << window.failures.join(u'\n').toStdString();
        EXPECT_EQ(Everything(), before);
    }
    EXPECT_FALSE(tagjobs::FindUndoTarget(tagjobs::AllCommands()));
}

} // namespace
