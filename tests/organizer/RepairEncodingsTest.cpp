#include "OrganizerFixture.h"
#include "organizer/RepairPreview.h"
#include "organizer/TagCommandDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

namespace {

// Writes an ID3v2.3 tag whose frames are Latin-1 holding the given bytes: each text given as
// "codec:text" is stored in that code page, as a program that ignores the frame encoding would.
const char* const kLatin1Frames = R"(
import sys
from mutagen.id3 import ID3, Frames
tag = ID3()
for pair in sys.argv[2:]:
    frame, codec, text = pair.split(":", 2)
    tag.add(Frames[frame](encoding=0, text=[text.encode(codec).decode("latin-1")]))
tag.save(sys.argv[1], v1=0, v2_version=3)
)";

class RepairEncodingsTest : public OrganizerTest {
  protected:
    void SetUp() override {
        // The undo journals of this test only.
        qputenv("XDG_DATA_HOME", folder.Path(QStringLiteral("data")).toUtf8());
        OrganizerTest::SetUp();
    }

    QString Latin1Mp3(const QString& name, const QStringList& frames) {
        const QString path = Mp3(name);
        testsupport::RunPython(QString::fromLatin1(kLatin1Frames), QStringList{path} + frames);
        return path;
    }

    static QStringList Rows(const QTreeWidget* list) {
        QStringList rows;
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            QStringList texts;
            for (int c = 0; c < list->columnCount(); ++c)
                texts << list->topLevelItem(r)->text(c);
            rows << texts.join(u'|');
        }
        return rows;
    }

    void Trigger(const char* action) { form->findChild<QAction*>(action)->trigger(); }

    tagaccess::ID3 id3;
};

TEST_F(RepairEncodingsTest, ThePreviewShowsTheGarbledFieldsAndOnlyCheckedFilesAreRepaired) {
    const QString kino =
        Latin1Mp3(QStringLiteral("kino.mp3"),
                  {QStringLiteral("TIT2:cp1251:Группа крови"), QStringLiteral("TPE1:cp1251:Кино")});
    const QString zvezda = Latin1Mp3(QStringLiteral("zvezda.mp3"),
                                     {QStringLiteral("TIT2:cp1251:Звезда по имени Солнце")});
    const QString bjork =
        Latin1Mp3(QStringLiteral("bjork.mp3"),
                  {QStringLiteral("TIT2:latin-1:Jóga"), QStringLiteral("TPE1:latin-1:Björk")});
    Search(folder.Root());
    ASSERT_EQ(List()->topLevelItemCount(), 3);
    const QByteArray kinoBefore = testsupport::ReadFile(kino);
    const QByteArray zvezdaBefore = testsupport::ReadFile(zvezda);
    const QByteArray bjorkBefore = testsupport::ReadFile(bjork);

    QStringList rows;
    QStringList onlyId3v1;
    bool acceptableWithoutFiles = true;
    AnswerDialog([&](organizer::TagCommandDialog& dialog) {
        auto* list = testsupport::FindControl<organizer::RepairPreview>(&dialog, "RepairList");
        auto* accept = testsupport::FindControl<QPushButton>(&dialog, "AcceptButton");
        testsupport::FindControl<QRadioButton>(&dialog, "VersionId3v1")->click();
        onlyId3v1 = Rows(list);
        testsupport::FindControl<QRadioButton>(&dialog, "VersionBoth")->click();
        rows = Rows(list);
        std::vector<QTreeWidgetItem*> boxes;
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            if (list->topLevelItem(r)->flags() & Qt::ItemIsUserCheckable)
                boxes.push_back(list->topLevelItem(r));
        ASSERT_EQ(boxes.size(), 2u) << "one box per file, not per field";
        for (QTreeWidgetItem* box : boxes)
            box->setCheckState(0, Qt::Unchecked);
        acceptableWithoutFiles = accept->isEnabled();
        for (QTreeWidgetItem* box : boxes)
            if (box->text(0) == "kino.mp3")
                box->setCheckState(0, Qt::Checked);
    });
    Trigger("Repairencodings1");

    EXPECT_TRUE(onlyId3v1.isEmpty()) << "the files have no ID3v1 tag";
    EXPECT_FALSE(acceptableWithoutFiles);
    const QString damage = QStringLiteral("Windows-1251 read as Latin-1");
    QStringList expected{"|ID3v2|Artist|Êèíî|Кино|" + damage,
                         "kino.mp3|ID3v2|Title|Ãðóïïà êðîâè|Группа крови|" + damage,
                         "zvezda.mp3|ID3v2|Title|Çâåçäà ïî èìåíè Ñîëíöå|Звезда по имени Солнце|" +
                             damage};
    EXPECT_EQ(rows.indexOf(expected[0]), rows.indexOf(expected[1]) + 1)
        << "a file's rows follow its first";
    rows.sort();
    expected.sort();
    EXPECT_EQ(rows, expected);
    const tagaccess::TagFields repaired = id3.ReadId3v2(kino, false);
    EXPECT_EQ(repaired[0], QStringLiteral("Группа крови"));
    EXPECT_EQ(repaired[1], QStringLiteral("Кино"));
    EXPECT_EQ(testsupport::ReadFile(zvezda), zvezdaBefore) << "unchecked: not touched";
    EXPECT_EQ(testsupport::ReadFile(bjork), bjorkBefore) << "reads right: not touched";
    EXPECT_EQ(tagfiles::AudioOf(kino), testsupport::SilentAudio());
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join('\n').toStdString();

    AnswerDialog([](organizer::TagCommandDialog&) {});
    Trigger("Undolastchange1");
    EXPECT_EQ(testsupport::ReadFile(kino), kinoBefore);

    // A clean file alone: said so, no empty dialog.
    List()->clearSelection();
    SelectRows({int(Column(0).indexOf("bjork.mp3"))});
    Trigger("Repairencodings1");
    EXPECT_EQ(messages.Texts(), QStringList{"No garbled texts were found in 1 file(s)."});
}

} // namespace
