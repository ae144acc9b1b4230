#include "OrganizerFixture.h"
#include "app/StartUp.h"
#include "editor/TForm1.h"
#include "editor/Unit1.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>

namespace {

const QStringList kProcessedColumns = {"Path", "Title", "Artist", "Album",
                                       "Year", "Genre", "Track"};

QJsonObject V1(const char* title, const char* artist, const char* year, int track, int genre) {
    return {{"title", title},       {"artist", artist}, {"album", "V1 Album"}, {"year", year},
            {"comment", "v1 note"}, {"track", track},   {"genre", genre}};
}
QJsonObject V2(const QJsonObject& frames) {
    return {{"version", 3}, {"frames", frames}};
}

class ProcessTest : public OrganizerTest {
  protected:
    void SetUp() override {
        OrganizerTest::SetUp();
        // Only an ID3v1 tag; only an ID3v2 tag; both, disagreeing; no tag at all.
        onlyV1 = Mp3(QStringLiteral("a only v1.mp3"),
                     {{"v1", V1("Old Title", "Old Artist", "1999", 4, 17)}});
        onlyV2 = Mp3(QStringLiteral("b only v2.mp3"), {{"v2", V2({{"TIT2", "New Title"},
                                                                  {"TPE1", "New Artist"},
                                                                  {"TALB", "New Album"},
                                                                  {"TYER", "2004"},
                                                                  {"TCON", "Jazz"},
                                                                  {"TRCK", "7/12"}})}});
        both = Mp3(QStringLiteral("c both.mp3"),
                   {{"v1", V1("V1 Title", "V1 Artist", "1980", 2, 0)},
                    {"v2", V2({{"TIT2", "V2 Title"}, {"TYER", "1981"}})}});
        none = Mp3(QStringLiteral("d none.mp3"));
        Search(folder.Root());
        ASSERT_EQ(List()->topLevelItemCount(), 4);
    }
    QStringList Row(int r) const {
        QStringList texts;
        for (int c = 0; c < List()->columnCount(); ++c)
            texts << List()->topLevelItem(r)->text(c);
        return texts;
    }
    QStringList Headers() const {
        QStringList captions;
        for (int c = 0; c < List()->columnCount(); ++c)
            captions << List()->headerItem()->text(c);
        return captions;
    }

    QString onlyV1, onlyV2, both, none;
};

TEST_F(ProcessTest, ARunSynchronisesEveryFileAndListsTheResolvedOnesWithTheirId3v2Fields) {
    const QByteArray noneBefore = testsupport::ReadFile(none);
    Process();

    EXPECT_EQ(Headers(), kProcessedColumns);
    const std::vector<int> widths = {300, 250, 150, 150, 100, 100, 50};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(List()->columnWidth(c), widths[size_t(c)]) << c;
    ASSERT_EQ(List()->topLevelItemCount(), 3);
    EXPECT_EQ(Row(0),
              (QStringList{onlyV1, "Old Title", "Old Artist", "V1 Album", "1999", "Rock", "4"}));
    EXPECT_EQ(Row(1),
              (QStringList{onlyV2, "New Title", "New Artist", "New Album", "2004", "Jazz", "7"}));
    // A missing track frame reads as "0", which never beats the ID3v1 track.
    EXPECT_EQ(Row(2),
              (QStringList{both, "V2 Title", "V1 Artist", "V1 Album", "1981", "Blues", "2"}));
    EXPECT_EQ(Text("Label8"), "4");
    EXPECT_EQ(Text("Label16"), "3");
    EXPECT_EQ(Text("Label18"), "1");
    EXPECT_EQ(Panel(0), "3 file(s)");
    EXPECT_EQ(Panel(1), "Selected: 0");
    EXPECT_EQ(form->UnresolvedPaths[0], none);
    EXPECT_EQ(FoundPaths(), (QStringList{onlyV1, onlyV2, both}));
    EXPECT_EQ(Control<QProgressBar>("ProgressBar1")->value(), 0);
    EXPECT_FALSE(Control("Animate1")->isVisible());
    EXPECT_EQ(form->Running, 1) << "a run leaves Running raised";
    EXPECT_TRUE(messages.Texts().isEmpty());

    // On disk: the file with only ID3v1 gained an ID3v2 tag with its fields, the other one an
    // ID3v1 tag; the tagless file was not touched.
    const QJsonObject v1File = tagfiles::ReadTags(onlyV1);
    EXPECT_EQ(v1File["v2"].toObject()["frames"].toObject()["TIT2"].toString(), "Old Title");
    EXPECT_EQ(v1File["v2"].toObject()["frames"].toObject()["TPE1"].toString(), "Old Artist");
    EXPECT_EQ(v1File["v1"].toObject()["title"].toString(), "Old Title");
    const QJsonObject v2File = tagfiles::ReadTags(onlyV2);
    EXPECT_EQ(v2File["v1"].toObject()["title"].toString(), "New Title");
    EXPECT_EQ(v2File["v1"].toObject()["track"].toInt(), 7);
    const QJsonObject bothFile = tagfiles::ReadTags(both);
    EXPECT_EQ(bothFile["v1"].toObject()["title"].toString(), "V2 Title");
    EXPECT_EQ(bothFile["v1"].toObject()["year"].toString(), "1981");
    EXPECT_EQ(bothFile["v2"].toObject()["frames"].toObject()["TPE1"].toString(), "V1 Artist");
    EXPECT_EQ(testsupport::ReadFile(none), noneBefore);
}

TEST_F(ProcessTest, UseId3v1InListRunsAgainAndShowsTheId3v1Texts) {
    Control<QRadioButton>("RadioButton1")->click();
    EXPECT_TRUE(form->UseId3v1);
    ASSERT_EQ(List()->topLevelItemCount(), 3);
    EXPECT_EQ(Row(1),
              (QStringList{onlyV2, "New Title", "New Artist", "New Album", "2004", "Jazz", "7"}));
    EXPECT_EQ(Row(2),
              (QStringList{both, "V2 Title", "V1 Artist", "V1 Album", "1981", "Blues", "2"}));
    EXPECT_EQ(Text("Label8"), "4");

    // Back to ID3v2: a new run from the processed view takes exactly the rows shown.
    Control<QRadioButton>("RadioButton2")->click();
    EXPECT_FALSE(form->UseId3v1);
    EXPECT_EQ(Text("Label8"), "3");
    EXPECT_EQ(Text("Label16"), "3");
    EXPECT_EQ(Text("Label18"), "0");
    EXPECT_EQ(List()->topLevelItemCount(), 3);
}

TEST_F(ProcessTest, TwoRunsInARowShowTheSameCountsAndRows) {
    Process();
    const QStringList first = Column(1);
    Click("Label2");
    EXPECT_EQ(Column(1), first);
    EXPECT_EQ(Text("Label8"), "3");
    EXPECT_EQ(Text("Label16"), "3");
    EXPECT_EQ(Text("Label18"), "0");
}

TEST_F(ProcessTest, ShowUnresolvedListsThemLastInRedAndANewRunRetriesThem) {
    Process();
    const QByteArray noneBefore = testsupport::ReadFile(none);
    Control<QCheckBox>("CheckBox2")->click();
    EXPECT_TRUE(form->ShowUnresolved);
    ASSERT_EQ(List()->topLevelItemCount(), 4);
    EXPECT_EQ(Row(3), (QStringList{none, "", "", "", "", "", ""}));
    EXPECT_EQ(List()->topLevelItem(3)->foreground(0).color(), QColor(255, 0, 0));
    EXPECT_EQ(Panel(0), "4 file(s)");
    EXPECT_EQ(FoundPaths().last(), none);
    EXPECT_EQ(Text("Label8"), "4") << "redrawing runs nothing";

    Control<QCheckBox>("CheckBox2")->click();
    EXPECT_EQ(List()->topLevelItemCount(), 3);
    Control<QCheckBox>("CheckBox2")->click();

    Process();
    EXPECT_EQ(Text("Label8"), "4");
    EXPECT_EQ(Text("Label18"), "1");
    EXPECT_EQ(Column(0).last(), none);
    EXPECT_EQ(testsupport::ReadFile(none), noneBefore);
}

TEST_F(ProcessTest, ShowingOrHidingUnresolvedRowsKeepsTheRowsTheUserKept) {
    Control<QCheckBox>("CheckBox2")->click();
    Process();
    ClickHeader(1);
    SelectRows({int(Column(0).indexOf(onlyV2))});
    form->DeletefromList1Click();
    QStringList kept = Column(0);
    kept.removeOne(none);

    Control<QCheckBox>("CheckBox2")->click();
    EXPECT_EQ(Column(0), kept) << "removed rows stay removed and the sort stays";
    EXPECT_EQ(FoundPaths(), kept);
    Control<QCheckBox>("CheckBox2")->click();
    EXPECT_EQ(Column(0), kept + QStringList{none});
    EXPECT_EQ(FoundPaths(), Column(0));
    EXPECT_EQ(List()->topLevelItem(int(kept.size()))->foreground(0).color(), QColor(255, 0, 0));
    Process();
    EXPECT_EQ(Text("Label8"), "3") << "the next run takes the rows shown";
}

TEST_F(ProcessTest, AStoppedSearchNeverStartsTheAutomaticRun) {
    const QByteArray before = testsupport::ReadFile(onlyV1);
    Control<QCheckBox>("CheckBox1")->click();
    QTimer::singleShot(0, form.get(), [this] { Click("BitBtn1"); });
    Search(folder.Root());
    EXPECT_EQ(List()->columnCount(), 2) << "the search view stays";
    EXPECT_EQ(Text("Label8"), "0");
    EXPECT_TRUE(Control("Image3")->isEnabled());
    EXPECT_EQ(testsupport::ReadFile(onlyV1), before);
}

TEST_F(ProcessTest, ClosingTheEditorEndsARunAfterTheFileInHand) {
    editor::TForm1 editor;
    app::ConnectWindows(editor, *form);
    editor.show();
    const QByteArray before = testsupport::ReadFile(both);
    QObject::connect(Control<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged, form.get(),
                     [&](int value) {
                         if (value == 1)
                             QTimer::singleShot(0, &editor, &QWidget::close);
                     });
    QTimer::singleShot(0, form.get(), [this] { Process(); });
    // A run that went on to its end, or a program that did not end, fails here.
    QTimer::singleShot(20000, form.get(), [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(Text("Label8"), "1");
    EXPECT_EQ(testsupport::ReadFile(both), before);
    EXPECT_TRUE(messages.Texts().isEmpty());
    editor::InitializeUnit1();
}

TEST_F(ProcessTest, AutoProcessChainsTheRunAndMovesTheMarkerToTheThirdStep) {
    Control<QCheckBox>("CheckBox1")->click();
    EXPECT_TRUE(form->AutoProcess);
    Search(folder.Root());
    EXPECT_EQ(Headers(), kProcessedColumns);
    EXPECT_EQ(List()->topLevelItemCount(), 3);
    EXPECT_FALSE(Control("Image3")->isEnabled());
    EXPECT_FALSE(Control("Label2")->isEnabled());
    EXPECT_TRUE(Control("Image4")->isEnabled());
    EXPECT_TRUE(Control("Label3")->isEnabled());
    EXPECT_FALSE(Control("Image5")->isVisible());
    EXPECT_FALSE(Control("Image6")->isVisible());
    EXPECT_TRUE(Control("Image7")->isVisible());

    // A run by the option keeps the step states.
    Control<QRadioButton>("RadioButton1")->click();
    EXPECT_FALSE(Control("Image3")->isEnabled());
    EXPECT_TRUE(Control("Image7")->isVisible());

    // The next search brings back the search view and the first steps.
    Control<QCheckBox>("CheckBox1")->click();
    Search(folder.Root());
    EXPECT_EQ(List()->columnCount(), 2);
    EXPECT_TRUE(Control("Image3")->isEnabled());
    EXPECT_FALSE(Control("Image4")->isEnabled());
    EXPECT_TRUE(Control("Image6")->isVisible());
    EXPECT_FALSE(Control("Image7")->isVisible());
}

TEST_F(ProcessTest, TheStopButtonEndsARunAfterTheFileInProgress) {
    auto* bar = Control<QProgressBar>("ProgressBar1");
    bool busyChecked = false;
    QObject::connect(bar, &QProgressBar::valueChanged, form.get(), [&](int value) {
        if (value != 2)
            return;
        busyChecked = true;
        for (const char* name :
             {"Image2", "Label1", "Image3", "Label2", "RadioButton1", "RadioButton2"})
            EXPECT_FALSE(Control(name)->isEnabled()) << name;
        EXPECT_FALSE(List()->header()->sectionsClickable());
        // Sorting, removal and a new search wait for the run.
        List()->selectAll();
        form->DeletefromList1Click();
        EXPECT_EQ(List()->topLevelItemCount(), 4);
        form->ListView1ColumnClick(0);
        EXPECT_EQ(form->Directions.Of(0), 0);
        form->Image2Click();
        EXPECT_EQ(dialogs.requests.size(), 1u);
        Click("BitBtn1");
    });
    Process();
    EXPECT_TRUE(busyChecked);
    EXPECT_EQ(Text("Label8"), "2");
    EXPECT_EQ(Column(0), (QStringList{onlyV1, onlyV2}));
    EXPECT_EQ(form->Running, 0);
    EXPECT_TRUE(Control("Image2")->isEnabled());
    EXPECT_TRUE(List()->header()->sectionsClickable());
    // The files after the stop were not touched.
    const QJsonObject untouched = tagfiles::ReadTags(both);
    EXPECT_EQ(untouched["v1"].toObject()["title"].toString(), "V1 Title");
}

TEST_F(OrganizerTest, AnOptionChangeBeforeAnySearchShowsAnEmptyProcessedView) {
    Control<QRadioButton>("RadioButton1")->click();
    EXPECT_EQ(List()->columnCount(), 7);
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_EQ(Panel(0), "0 file(s)");
    EXPECT_EQ(Panel(1), "Selected: 0");
    for (const char* counter : {"Label8", "Label16", "Label18"})
        EXPECT_EQ(Text(counter), "0") << counter;
    EXPECT_TRUE(messages.Texts().isEmpty());
}

// A generated tree with every tag situation: the processed view and the files follow the
// expected synchronisation the generator wrote down.
TEST_F(OrganizerTest, ACorpusTreeSynchronisesAsItsManifestExpects) {
    const QString root = folder.Path(QStringLiteral("corpus"));
    testsupport::RunPython(
        QStringLiteral("import runpy, sys; sys.argv = sys.argv[1:]; runpy.run_path(sys.argv[0], "
                       "run_name='__main__')"),
        {testsupport::SourceDir() + QStringLiteral("/tests/tools/make_mp3_corpus.py"), root,
         QStringLiteral("--count"), QStringLiteral("40"), QStringLiteral("--seed"),
         QStringLiteral("7"), QStringLiteral("--symlink-cycle")});
    const QJsonObject manifest =
        QJsonDocument::fromJson(testsupport::ReadFile(root + QStringLiteral("/manifest.json")))
            .object();
    ASSERT_EQ(manifest["format"].toInt(), 2) << "the expectations this test reads";
    QMap<QString, QJsonObject> expected;
    int unresolved = 0;
    for (const QJsonValue file : manifest["files"].toArray()) {
        expected.insert(root + u'/' + file["path"].toString(), file["expect_sync"].toObject());
        unresolved += file["expect_sync"]["ok"].toBool() ? 0 : 1;
    }

    Search(root);
    ASSERT_EQ(List()->topLevelItemCount(), 40);
    Process();
    EXPECT_EQ(Text("Label18"), QString::number(unresolved));
    ASSERT_EQ(List()->topLevelItemCount(), 40 - unresolved);
    for (int r = 0; r < List()->topLevelItemCount(); ++r) {
        const QString path = List()->topLevelItem(r)->text(0);
        ASSERT_TRUE(expected.contains(path)) << path.toStdString();
        const QJsonObject sync = expected[path];
        EXPECT_TRUE(sync["ok"].toBool()) << path.toStdString();
        const QJsonArray merged = sync["merged"].toArray();
        // Title, artist, album, year and track as merged; the genre text as the tag library
        // gives it back.
        for (const int c : {1, 2, 3, 4, 6})
            EXPECT_EQ(List()->topLevelItem(r)->text(c), merged[c - 1].toString())
                << path.toStdString() << " column " << c;
        // The ID3v1 record on disk: genre byte last, track byte before it behind a zero.
        const QByteArray record = testsupport::ReadFile(path).right(128);
        ASSERT_TRUE(record.startsWith("TAG")) << path.toStdString();
        EXPECT_EQ(uint8_t(record[127]), sync["v1_genre_byte"].toInt()) << path.toStdString();
        EXPECT_EQ(record[125] == 0 ? uint8_t(record[126]) : 0, sync["v1_track_byte"].toInt())
            << path.toStdString();
    }
}

} // namespace
