#include "OrganizerFixture.h"

#include <QMenu>

namespace {

class SelectionTest : public OrganizerTest {
  protected:
    void SetUp() override {
        OrganizerTest::SetUp();
        for (int i = 0; i < 10; ++i)
            paths << Touch(QStringLiteral("f%1.mp3").arg(i));
        Search(folder.Root());
        ASSERT_EQ(List()->topLevelItemCount(), 10);
        List()->setFocus();
    }
    QAction* MenuItem(const char* name) const {
        return form->findChild<QMenu*>(QStringLiteral("PopupMenu1"))
            ->findChild<QAction*>(QString::fromLatin1(name));
    }
    QStringList paths;
};

TEST_F(SelectionTest, DeleteRemovesTheSelectedRowsWhateverModifiersAreHeld) {
    SelectRows({3, 5});
    EXPECT_EQ(Panel(1), "Selected: 2");
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(List()->topLevelItemCount(), 8);
    EXPECT_EQ(Panel(0), "8 file(s)");
    EXPECT_EQ(Panel(1), "Selected: 0");
    QStringList kept = paths;
    kept.removeAt(5);
    kept.removeAt(3);
    EXPECT_EQ(FoundPaths(), kept);

    SelectRows({0});
    QTest::keyClick(List(), Qt::Key_Delete, Qt::ShiftModifier);
    SelectRows({0});
    QTest::keyClick(List(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(List()->topLevelItemCount(), 6);
    kept.remove(0, 2);
    EXPECT_EQ(FoundPaths(), kept);

    // Other keys pass untouched; Delete with nothing selected removes nothing.
    QTest::keyClick(List(), Qt::Key_Backspace);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(List()->topLevelItemCount(), 6);
    EXPECT_EQ(Panel(0), "6 file(s)");
}

TEST_F(SelectionTest, TheMenuSelectsDeselectsAndRemoves) {
    MenuItem("SelectAll1")->trigger();
    EXPECT_EQ(Panel(1), "Selected: 10");
    MenuItem("Des1")->trigger();
    EXPECT_EQ(Panel(1), "Selected: 0");
    EXPECT_TRUE(List()->selectedItems().isEmpty());

    SelectRows({9, 0});
    MenuItem("DeletefromList1")->trigger();
    EXPECT_EQ(FoundPaths(), paths.mid(1, 8));
    EXPECT_EQ(Panel(0), "8 file(s)");

    MenuItem("SelectAll1")->trigger();
    MenuItem("DeletefromList1")->trigger();
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_EQ(FoundPaths(), QStringList());
    EXPECT_EQ(Panel(0), "0 file(s)");
    EXPECT_EQ(Panel(1), "Selected: 0");
    // Processing an emptied list touches nothing.
    Process();
    EXPECT_EQ(Text("Label8"), "0");
}

TEST_F(OrganizerTest, RemovalInTheProcessedViewKeepsTheRowsForTheNextRun) {
    QStringList files;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        files << Mp3(QString::fromLatin1(name),
                     {{"v1", QJsonObject{{"title", name}, {"track", 1}}}});
    Search(folder.Root());
    Process();
    SelectRows({1});
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(FoundPaths(), (QStringList{files[0], files[2]}));
    Process();
    EXPECT_EQ(Text("Label8"), "2");
    EXPECT_EQ(Column(0), (QStringList{files[0], files[2]}));
}

} // namespace
