#include "OrganizerFixture.h"
#include "batch/MoveJournal.h"
#include "journal/JournalReader.h"
#include "organizer/MoveDialog.h"
#include "organizer/TagsFromNamesDialog.h"
#include "tagjobs/RunKinds.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <map>
#include <sys/stat.h>

namespace {

QJsonObject Tags(const char* artist, const char* album, const char* track, const char* title) {
    QJsonObject frames{{"TPE1", artist}, {"TALB", album}, {"TRCK", track}};
    if (*title)
        frames.insert("TIT2", title);
    return {{"v2", QJsonObject{{"version", 3}, {"frames", frames}}}};
}

dev_t Device(const QString& path) {
    struct stat status {};
    stat(QFile::encodeName(path).constData(), &status);
    return status.st_dev;
}

// Every file under the folder with its bytes, by path relative to it.
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

QStringList Folders(const QString& root) {
    QStringList folders;
    QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        folders << QDir(root).relativeFilePath(it.next());
    folders.sort();
    return folders;
}

class NamingCommandsTest : public OrganizerTest {
  protected:
    void SetUp() override {
        // The journals go to a data folder of the test's own.
        qputenv("XDG_DATA_HOME", data.Root().toUtf8());
        OrganizerTest::SetUp();
    }
    void TearDown() override {
        for (QWidget* dialog : form->findChildren<QDialog*>())
            dialog->close();
        OrganizerTest::TearDown();
    }
    QAction* MenuItem(const char* name) const {
        return form->findChild<QMenu*>(QStringLiteral("PopupMenu1"))
            ->findChild<QAction*>(QString::fromLatin1(name));
    }
    template <typename Dialog> Dialog* Open() const {
        auto* dialog = form->findChild<Dialog*>();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    // Finds and processes the files under "in": the third step opens after a manual run.
    void FindAndProcess() {
        Search(folder.Path(QStringLiteral("in")));
        EXPECT_FALSE(Control("Image4")->isEnabled());
        Process();
        EXPECT_TRUE(Control("Image4")->isEnabled());
    }
    static void Press(QDialog* dialog, const char* button) {
        QTest::mouseClick(testsupport::FindControl<QPushButton>(dialog, button), Qt::LeftButton);
    }
    static QStringList PreviewColumn(QDialog* dialog, int column) {
        QStringList texts;
        auto* preview = testsupport::FindControl<QTreeWidget>(dialog, "Preview");
        for (int r = 0; r < preview->topLevelItemCount(); ++r)
            texts << preview->topLevelItem(r)->text(column);
        return texts;
    }

    // Organizes the tree under "in" into `destination` with a conflict of two files, one with an
    // existing target and one incomplete; then undoes it and finds everything as it was.
    void OrganizeAndUndo(const QString& destination) {
        Mp3("in/a.mp3", Tags("Band", "Disc", "1", "Song A"));
        Mp3("in/sub/b.mp3", Tags("Band", "Disc", "2", "Song B"));
        Mp3("in/sub/c.mp3", Tags("Band", "Disc", "2", "Song B"));
        Mp3("in/d.mp3", Tags("Band", "Disc", "3", ""));
        Mp3("in/e.mp3", Tags("Band", "Disc", "5", "Taken"));
        QDir().mkpath(destination + "/Band/Disc");
        testsupport::WriteFile(destination + "/Band/Disc/05 - Taken.mp3", "someone else's");
        FindAndProcess();
        const auto before = Tree(folder.Path("in"));
        const auto destinationBefore = Tree(destination);

        Click("Image4");
        auto* dialog = Open<organizer::MoveDialog>();
        ASSERT_TRUE(dialog);
        EXPECT_EQ(testsupport::FindControl<QLineEdit>(dialog, "Destination")->text(),
                  folder.Path("in"));
        // The window's other commands wait while the dialog is open.
        EXPECT_FALSE(Control("Image2")->isEnabled());
        testsupport::FindControl<QLineEdit>(dialog, "Destination")->setText(destination);
        QTest::qWait(300);
        EXPECT_EQ(PreviewColumn(dialog, 1),
                  (QStringList{destination + "/Band/Disc/01 - Song A.mp3",
                               destination + "/Band/Disc/02 - Song B.mp3",
                               destination + "/Band/Disc/02 - Song B.mp3",
                               destination + "/Band/Disc/03 - Untitled.mp3",
                               destination + "/Band/Disc/05 - Taken.mp3"}));
        EXPECT_EQ(PreviewColumn(dialog, 2),
                  (QStringList{"will move", "conflict", "conflict", "incomplete", "conflict"}));
        EXPECT_EQ(Tree(folder.Path("in")), before) << "the preview wrote nothing";

        Press(dialog, "Run");
        EXPECT_EQ(PreviewColumn(dialog, 2),
                  (QStringList{"moved", "skipped: conflict", "skipped: conflict", "moved",
                               "skipped: conflict"}));
        EXPECT_EQ(testsupport::ReadFile(destination + "/Band/Disc/01 - Song A.mp3"),
                  before.at("a.mp3"));
        EXPECT_EQ(testsupport::ReadFile(destination + "/Band/Disc/05 - Taken.mp3"),
                  "someone else's");
        EXPECT_FALSE(QFileInfo::exists(folder.Path("in/a.mp3")));
        EXPECT_TRUE(FoundPaths().contains(destination + "/Band/Disc/03 - Untitled.mp3"));
        EXPECT_EQ(Text("Label8"), "5");
        EXPECT_EQ(Text("Label16"), "2");
        EXPECT_EQ(Text("Label18"), "3");

        Press(dialog, "Undo");
        EXPECT_EQ(Tree(folder.Path("in")), before);
        EXPECT_EQ(Tree(destination), destinationBefore);
        EXPECT_EQ(Folders(destination), (QStringList{"Band", "Band/Disc"}));
        EXPECT_TRUE(FoundPaths().contains(folder.Path("in/a.mp3")));
        EXPECT_TRUE(journal::FinishedJournals({tagjobs::kOrganizeCommand}).empty());
        EXPECT_TRUE(messages.Texts().isEmpty());
    }

    testsupport::TempFolder data;
};

TEST_F(NamingCommandsTest, OrganizesOnOneFileSystemAndUndoes) {
    OrganizeAndUndo(folder.Path("out"));
}

TEST_F(NamingCommandsTest, OrganizesOntoAnotherFileSystemAndUndoes) {
    QTemporaryDir other(QStringLiteral("/dev/shm/kivuna-XXXXXX"));
    if (!other.isValid() || Device(other.path()) == Device(folder.Root()))
        GTEST_SKIP() << "no second file system";
    OrganizeAndUndo(other.path());
}

TEST_F(NamingCommandsTest, CopyLeavesTheOriginalsAndItsUndoTakesOnlyTheCopies) {
    Mp3("in/a.mp3", Tags("Band", "Disc", "1", "Song"));
    Mp3("in/b.mp3", Tags("Band", "Other", "2", "Tune"));
    FindAndProcess();
    const auto before = Tree(folder.Path("in"));
    Click("Image4");
    auto* dialog = Open<organizer::MoveDialog>();
    ASSERT_TRUE(dialog);
    QTest::mouseClick(testsupport::FindControl(dialog, "Copy"), Qt::LeftButton);
    testsupport::FindControl<QLineEdit>(dialog, "Destination")->setText(folder.Path("copies"));
    testsupport::FindControl<QLineEdit>(dialog, "Pattern")->setText("%album%/%filename% %title%");
    QTest::qWait(300);
    Press(dialog, "Run");
    EXPECT_EQ(PreviewColumn(dialog, 2), (QStringList{"copied", "copied"}));
    EXPECT_EQ(Tree(folder.Path("in")), before);
    EXPECT_EQ(testsupport::ReadFile(folder.Path("copies/Other/b Tune.mp3")), before.at("b.mp3"));
    // The list keeps the originals.
    EXPECT_EQ(FoundPaths(), (QStringList{folder.Path("in/a.mp3"), folder.Path("in/b.mp3")}));

    Press(dialog, "Undo");
    EXPECT_EQ(Tree(folder.Path("in")), before);
    EXPECT_FALSE(QFileInfo::exists(folder.Path("copies")));
}

TEST_F(NamingCommandsTest, StopHalfWayThenUndoFromTheListMenu) {
    for (int i = 1; i <= 30; ++i)
        Mp3(QStringLiteral("in/f%1.mp3").arg(i),
            Tags("Band", "Disc", QByteArray::number(i).constData(), "Song"));
    FindAndProcess();
    const auto before = Tree(folder.Path("in"));
    Click("Image4");
    auto* dialog = Open<organizer::MoveDialog>();
    ASSERT_TRUE(dialog);
    testsupport::FindControl<QLineEdit>(dialog, "Destination")->setText(folder.Path("out"));
    QTest::qWait(300);
    // The stop button of the window answers during the run; nothing that would change the run
    // in hand can be used meanwhile.
    QStringList usable;
    QTimer::singleShot(0, form.get(), [&] {
        for (const char* name : {"Destination", "Browse", "Move", "Copy", "Pattern"}) {
            if (testsupport::FindControl<QWidget>(dialog, name)->isEnabled())
                usable << QString::fromLatin1(name);
        }
        Click("BitBtn1");
    });
    testsupport::FindControl<QPushButton>(dialog, "Run")->click();
    EXPECT_TRUE(usable.isEmpty()) << usable.join(u' ').toStdString();
    const int moved = int(Tree(folder.Path("out")).size());
    EXPECT_GE(moved, 1);
    EXPECT_LT(moved, 30);
    EXPECT_EQ(PreviewColumn(dialog, 2).count("not taken"), 30 - moved);
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Control("Image2")->isEnabled());

    MenuItem("UndoLastOrganize1")->trigger();
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Undone: %1 file(s).").arg(moved)});
    EXPECT_EQ(Tree(folder.Path("in")), before);
    EXPECT_FALSE(QFileInfo::exists(folder.Path("out/Band")));
    MenuItem("UndoLastOrganize1")->trigger();
    EXPECT_EQ(messages.Texts().last(), "There is no organize or rename to undo.");
}

TEST_F(NamingCommandsTest, RenameAndTagsFromNamesTakeTheSelection) {
    Mp3("in/Band One - First.mp3", Tags("x", "Kept Album", "4", "y"));
    Mp3("in/Band Two - Second.mp3", Tags("x", "Kept Album", "7", "y"));
    Mp3("in/untouched.mp3", Tags("x", "Kept Album", "9", "y"));
    FindAndProcess();
    const QByteArray untouched = testsupport::ReadFile(folder.Path("in/untouched.mp3"));

    SelectRows({0, 1});
    MenuItem("agsfromfilenames1")->trigger();
    auto* tags = Open<organizer::TagsFromNamesDialog>();
    ASSERT_TRUE(tags);
    EXPECT_EQ(PreviewColumn(tags, 2), (QStringList{"Band One", "Band Two"}));
    EXPECT_EQ(PreviewColumn(tags, 3), (QStringList{"(kept)", "(kept)"}));
    Press(tags, "Run");
    EXPECT_EQ(PreviewColumn(tags, 8), (QStringList{"written", "written"}));
    const QJsonObject read = tagfiles::ReadTags(folder.Path("in/Band One - First.mp3"));
    EXPECT_EQ(read["v2"]["frames"]["TPE1"].toString(), "Band One");
    EXPECT_EQ(read["v2"]["frames"]["TIT2"].toString(), "First");
    EXPECT_EQ(read["v2"]["frames"]["TALB"].toString(), "Kept Album");
    EXPECT_EQ(read["v1"]["title"].toString(), "First");
    EXPECT_EQ(Column(2).mid(0, 2), (QStringList{"Band One", "Band Two"}));

    Press(tags, "Undo");
    const QJsonObject undone = tagfiles::ReadTags(folder.Path("in/Band Two - Second.mp3"));
    EXPECT_EQ(undone["v2"]["frames"]["TPE1"].toString(), "x");
    EXPECT_EQ(undone["v2"]["frames"]["TIT2"].toString(), "y");
    tags->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    MenuItem("Renamefiles1")->trigger();
    auto* rename = Open<organizer::MoveDialog>();
    ASSERT_TRUE(rename);
    // A rename makes no folder.
    testsupport::FindControl<QLineEdit>(rename, "Pattern")->setText("%artist%/%title%");
    QTest::qWait(300);
    EXPECT_FALSE(testsupport::FindControl<QPushButton>(rename, "Run")->isEnabled());
    testsupport::FindControl<QLineEdit>(rename, "Pattern")->setText("%track:2% - %title%");
    QTest::qWait(300);
    Press(rename, "Run");
    EXPECT_TRUE(QFileInfo::exists(folder.Path("in/04 - y.mp3")));
    EXPECT_TRUE(QFileInfo::exists(folder.Path("in/07 - y.mp3")));
    EXPECT_EQ(testsupport::ReadFile(folder.Path("in/untouched.mp3")), untouched);
    EXPECT_EQ(Column(0).mid(0, 2),
              (QStringList{folder.Path("in/04 - y.mp3"), folder.Path("in/07 - y.mp3")}));
}

TEST_F(NamingCommandsTest, AJournalLeftByACrashIsOfferedAtTheNextStart) {
    Mp3("in/a.mp3", Tags("Band", "Disc", "1", "Song"));
    FindAndProcess();
    const QByteArray bytes = testsupport::ReadFile(folder.Path("in/a.mp3"));
    const QString moved = folder.Path("elsewhere/a.mp3");
    {
        // The disk as a run leaves it when the program dies after its first move.
        journal::JournalWriter writer(
            tagjobs::kOrganizeCommand, journal::DefaultJournalFolder(),
            {{journal::kRootsKey, QJsonArray{folder.Path("in"), folder.Path("elsewhere")}}});
        ASSERT_EQ(
            batch::JournaledMove(writer, folder.Path("in/a.mp3"), moved, batch::MoveMode::Move),
            QString());
        testsupport::WriteFile(
            QFileInfo(writer.Path()).dir().filePath("00000000-died-organize.jsonl"),
            testsupport::ReadFile(writer.Path()));
        QFile::remove(writer.Path());
    }
    Click("Image4");
    auto* dialog = Open<organizer::MoveDialog>();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(
        testsupport::FindControl<QLabel>(dialog, "UndoNote")->text().contains("did not end"));
    EXPECT_FALSE(testsupport::FindControl<QPushButton>(dialog, "Run")->isEnabled());
    Press(dialog, "Undo");
    EXPECT_EQ(testsupport::ReadFile(folder.Path("in/a.mp3")), bytes);
    EXPECT_FALSE(QFileInfo::exists(folder.Path("elsewhere")));
    EXPECT_FALSE(
        testsupport::FindControl<QLabel>(dialog, "UndoNote")->text().contains("did not end"));
}

int RunCli(const QStringList& args) {
    QProcess cli;
    cli.start(QStringLiteral(KIVUNA_CLI), args);
    EXPECT_TRUE(cli.waitForFinished(60000));
    return cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
}

// The window and the command-line tool keep one journal: each takes back what the other did.
TEST_F(NamingCommandsTest, TheShellUndoesTheWindowsRunAndTheWindowTheShells) {
    Mp3("in/a.mp3", Tags("Band", "Disc", "1", "Song"));
    FindAndProcess();
    const auto before = Tree(folder.Path("in"));
    Click("Image4");
    auto* dialog = Open<organizer::MoveDialog>();
    ASSERT_TRUE(dialog);
    testsupport::FindControl<QLineEdit>(dialog, "Destination")->setText(folder.Path("out"));
    QTest::qWait(300);
    Press(dialog, "Run");
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(QFileInfo::exists(folder.Path("out/Band/Disc/01 - Song.mp3")));

    EXPECT_EQ(RunCli({"undo"}), 0);
    EXPECT_EQ(Tree(folder.Path("in")), before);
    EXPECT_FALSE(QFileInfo::exists(folder.Path("out")));

    EXPECT_EQ(RunCli({"rename", folder.Path("in/a.mp3")}), 0);
    ASSERT_TRUE(QFileInfo::exists(folder.Path("in/01 - Song.mp3")));
    // The window asks first, naming the run and where it was made; "No" changes nothing.
    questions.yes = false;
    MenuItem("UndoLastOrganize1")->trigger();
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked[0].startsWith("Undo Rename files of "));
    EXPECT_TRUE(questions.asked[0].endsWith(": 1 file(s)? It was made in the shell."))
        << questions.asked[0].toStdString();
    EXPECT_TRUE(QFileInfo::exists(folder.Path("in/01 - Song.mp3")));
    questions.yes = true;
    MenuItem("UndoLastOrganize1")->trigger();
    EXPECT_EQ(messages.Texts(), QStringList{"Undone: 1 file(s)."});
    EXPECT_EQ(Tree(folder.Path("in")), before);
}

} // namespace
