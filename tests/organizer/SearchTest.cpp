#include "OrganizerFixture.h"

#include <QProgressBar>
#include <QTimer>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList kDesignColumns = {QStringLiteral("Name"), QStringLiteral("Path")};

QStringList Headers(QTreeWidget* list) {
    QStringList captions;
    for (int c = 0; c < list->columnCount(); ++c)
        captions << list->headerItem()->text(c);
    return captions;
}

TEST_F(OrganizerTest, SearchListsMp3FilesOfEveryCaseSortedByNameWithTheirFolders) {
    Touch(QStringLiteral("c.mp3"));
    Touch(QStringLiteral("b.MP3"));
    Touch(QStringLiteral("sub/A.Mp3"));
    Touch(QStringLiteral("x.mp3/inside.mp3"));
    Touch(QStringLiteral(".hidden.mp3"));
    Touch(QStringLiteral(".hidden dir/deep.mp3"));
    Touch(QStringLiteral("notes.txt"));
    Touch(QStringLiteral("song.mp3.bak"));
    Touch(QStringLiteral("mp3"));

    Search(folder.Root());

    // Letter case does not count: "A.Mp3" sorts before "b.MP3".
    EXPECT_EQ(Column(0),
              (QStringList{".hidden.mp3", "A.Mp3", "b.MP3", "c.mp3", "deep.mp3", "inside.mp3"}));
    const QString root = folder.Root() + u'/';
    EXPECT_EQ(Column(1), (QStringList{root, root + "sub/", root, root, root + ".hidden dir/",
                                      root + "x.mp3/"}));
    EXPECT_EQ(FoundPaths(),
              (QStringList{root + ".hidden.mp3", root + "sub/A.Mp3", root + "b.MP3", root + "c.mp3",
                           root + ".hidden dir/deep.mp3", root + "x.mp3/inside.mp3"}));
    for (const QString& path : FoundPaths())
        EXPECT_TRUE(QFileInfo(path).isFile()) << path.toStdString();
    EXPECT_EQ(Headers(List()), kDesignColumns);
    EXPECT_EQ(List()->columnWidth(0), 300);
    EXPECT_EQ(Panel(0), "6 file(s)");
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(Text("Label7"), "6");
    EXPECT_TRUE(Control("Label7")->isVisible());
    EXPECT_EQ(Text("Label9"), "Progress");
    EXPECT_EQ(Control<QProgressBar>("ProgressBar1")->maximum(), 6);
    EXPECT_EQ(form->LastFolder, folder.Root());
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Select folder:");
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(OrganizerTest, TheDialogOpensAtTheLastFolderAndACancelChangesNothing) {
    const QString start = form->LastFolder;
    EXPECT_TRUE(QDir(start).exists()) << "the first folder is the music or the home folder";
    Touch(QStringLiteral("one/a.mp3"));
    Touch(QStringLiteral("two/b.mp3"));
    Search(folder.Path(QStringLiteral("one")));
    EXPECT_EQ(dialogs.requests.back().startFolder, start);

    Search(QString());
    EXPECT_EQ(dialogs.requests.back().startFolder, folder.Path(QStringLiteral("one")));
    EXPECT_EQ(Column(0), QStringList{"a.mp3"});
    EXPECT_EQ(FoundPaths(), QStringList{folder.Path(QStringLiteral("one/a.mp3"))});
    EXPECT_TRUE(Control("Image3")->isEnabled());

    // Any folder can be chosen next; the caption starts a search like the picture.
    dialogs.answer = folder.Path(QStringLiteral("two"));
    Click("Label1");
    EXPECT_EQ(Column(0), QStringList{"b.mp3"});
}

TEST_F(OrganizerTest, NamesWithBlanksKeepThemInTheListAndInTheFoundPaths) {
    const QString spaced = Touch(QStringLiteral(" spaced .mp3"));
    const QString folderBlank = Touch(QStringLiteral("folder /tail.mp3"));
    Search(folder.Root());
    EXPECT_EQ(Column(0), (QStringList{" spaced .mp3", "tail.mp3"}));
    EXPECT_EQ(FoundPaths(), (QStringList{spaced, folderBlank}));
}

TEST_F(OrganizerTest, LinksLoopsAndSpecialFilesAreWalkedOnceAndNeverListed) {
    Touch(QStringLiteral("a/song.mp3"));
    Touch(QStringLiteral("a/b/deeper.mp3"));
    ASSERT_EQ(symlink("..", folder.Path(QStringLiteral("a/b/up")).toUtf8().constData()), 0);
    ASSERT_EQ(symlink(".", folder.Path(QStringLiteral("a/self")).toUtf8().constData()), 0);
    ASSERT_EQ(symlink("song.mp3", folder.Path(QStringLiteral("a/linked.mp3")).toUtf8().constData()),
              0);
    ASSERT_EQ(mkfifo(folder.Path(QStringLiteral("a/pipe.mp3")).toUtf8().constData(), 0644), 0);
    // A link to a folder outside the current path is walked like any folder.
    Touch(QStringLiteral("elsewhere/far.mp3"));
    ASSERT_EQ(
        symlink("../elsewhere", folder.Path(QStringLiteral("a/to elsewhere")).toUtf8().constData()),
        0);

    Search(folder.Path(QStringLiteral("a")));

    EXPECT_EQ(Column(0), (QStringList{"deeper.mp3", "far.mp3", "song.mp3"}));
    EXPECT_EQ(FoundPaths()[1], folder.Path(QStringLiteral("a/to elsewhere/far.mp3")));
}

TEST_F(OrganizerTest, AnEmptyOrMissingFolderEndsTheSearchNormallyWithNothing) {
    Touch(QStringLiteral("old.mp3"));
    Search(folder.Root());
    ASSERT_EQ(List()->topLevelItemCount(), 1);

    Search(folder.Path(QStringLiteral("gone")));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_EQ(Panel(0), "0 file(s)");
    EXPECT_EQ(Text("Label7"), "0");
    EXPECT_EQ(FoundPaths(), QStringList());
    EXPECT_TRUE(Control("Image3")->isEnabled());
    EXPECT_TRUE(Control("Image6")->isVisible());
    EXPECT_TRUE(messages.Texts().isEmpty());
}

class LimitTest : public OrganizerTest {
  protected:
    // `count` empty MP3 files in one folder, plus one text file.
    QString Fill(int count) {
        const QString dir = folder.Path(QStringLiteral("many"));
        QDir().mkpath(dir);
        for (int i = 0; i < count; ++i) {
            QFile file(dir + QStringLiteral("/f%1.mp3").arg(i, 5, 10, QLatin1Char('0')));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        return dir;
    }
};

TEST_F(LimitTest, ExactlyTenThousandFilesAreAllKeptWithoutAMessage) {
    Search(Fill(organizer::MaxFoundFiles));
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_EQ(List()->topLevelItemCount(), 10000);
    EXPECT_EQ(Panel(0), "10000 file(s)");
    const QStringList paths = FoundPaths();
    EXPECT_TRUE(paths.first().endsWith("/f00000.mp3"));
    EXPECT_TRUE(paths.last().endsWith("/f09999.mp3"));
}

TEST_F(LimitTest, TheTenThousandAndFirstFileShowsTheMessageOnceAndIsLeftOut) {
    const QString dir = Fill(organizer::MaxFoundFiles + 1);
    Touch(QStringLiteral("many/sub/later.mp3"));
    Search(dir);
    EXPECT_EQ(
        messages.Texts(),
        QStringList{"The number of found files exceeds the limit for this program (10000).\r\n"
                    "The list will be truncated from the bottom."});
    EXPECT_EQ(List()->topLevelItemCount(), 10000);
    EXPECT_EQ(Text("Label7"), "10000");
    // The first 10,000 in the order the directory gave them are kept, then sorted.
    QStringList names = Column(0);
    EXPECT_EQ(names.size(), 10000);
    EXPECT_EQ(names.removeDuplicates(), 0);
    EXPECT_TRUE(Control("Image3")->isEnabled());
}

TEST_F(OrganizerTest, TheStopButtonEndsASearchKeepingWhatWasFound) {
    for (int d = 0; d < 20; ++d)
        for (int f = 0; f < 5; ++f)
            Touch(QStringLiteral("d%1/f%2.mp3").arg(d).arg(f));
    QTimer::singleShot(0, form.get(), [this] { Click("BitBtn1"); });
    Search(folder.Root());

    const int found = List()->topLevelItemCount();
    EXPECT_LT(found, 100);
    EXPECT_EQ(form->Running, 0);
    EXPECT_EQ(Text("Label7"), QString::number(found));
    EXPECT_EQ(Panel(0), QString::number(found) + " file(s)");
    EXPECT_EQ(Text("Label9"), "Progress");
    EXPECT_FALSE(Control("Animate1")->isVisible());
    EXPECT_TRUE(Control("Image3")->isEnabled());
    for (const QString& path : FoundPaths())
        EXPECT_TRUE(QFileInfo(path).isFile());

    // The next search is not affected by the last stop.
    Search(folder.Root());
    EXPECT_EQ(List()->topLevelItemCount(), 100);
}

TEST_F(OrganizerTest, DuringASearchTheStepsAndMarkersShowASearchInProgress) {
    for (int d = 0; d < 3; ++d)
        Touch(QStringLiteral("d%1/f.mp3").arg(d));
    Search(folder.Root());
    ASSERT_TRUE(Control("Image6")->isVisible());
    bool checked = false;
    QTimer::singleShot(0, form.get(), [&] {
        checked = true;
        EXPECT_EQ(Text("Label9"), "Searching for files...");
        EXPECT_TRUE(Control("Animate1")->isVisible());
        EXPECT_TRUE(Control("Image5")->isVisible());
        EXPECT_FALSE(Control("Image6")->isVisible());
        EXPECT_FALSE(Control("Image7")->isVisible());
        for (const char* name : {"Image2", "Label1", "Image3", "Label2", "Image4", "Label3",
                                 "RadioButton1", "RadioButton2"})
            EXPECT_FALSE(Control(name)->isEnabled()) << name;
        EXPECT_TRUE(Control("BitBtn1")->isEnabled());
        EXPECT_TRUE(form->WorkInProgress());
        // A second search asked for now does not start.
        form->Image2Click();
    });
    Search(folder.Root());
    EXPECT_TRUE(checked);
    EXPECT_EQ(dialogs.requests.size(), 2u);
    EXPECT_FALSE(form->WorkInProgress());
    EXPECT_TRUE(Control("Image2")->isEnabled());
    EXPECT_TRUE(Control("Image3")->isEnabled());
    EXPECT_TRUE(Control("Image6")->isVisible());
    EXPECT_FALSE(Control("Image5")->isVisible());
}

} // namespace
