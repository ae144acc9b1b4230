#include "OrganizerFixture.h"

namespace {

class SortTest : public OrganizerTest {
  protected:
    void SetUp() override {
        OrganizerTest::SetUp();
        Touch(QStringLiteral("b/alpha.mp3"));
        Touch(QStringLiteral("a/Beta.mp3"));
        Touch(QStringLiteral("c/gamma.mp3"));
        Search(folder.Root());
    }
    // FoundPaths names the file of every row.
    void ExpectFoundPathsFollowTheRows() {
        QStringList rows;
        for (int r = 0; r < List()->topLevelItemCount(); ++r)
            rows << List()->topLevelItem(r)->text(1) + List()->topLevelItem(r)->text(0);
        EXPECT_EQ(FoundPaths(), rows);
    }
};

TEST_F(SortTest, EachClickOnTheSameColumnReversesItsOrder) {
    EXPECT_EQ(Column(0), (QStringList{"alpha.mp3", "Beta.mp3", "gamma.mp3"}));
    EXPECT_EQ(form->Directions.Of(0), 0) << "the search leaves the name flag as it found it";

    ClickHeader(0);
    EXPECT_EQ(Column(0), (QStringList{"gamma.mp3", "Beta.mp3", "alpha.mp3"}));
    EXPECT_EQ(form->SortColumn, 0);
    EXPECT_EQ(form->Directions.Of(0), 1);
    ExpectFoundPathsFollowTheRows();
    // The comparison follows the flag as it is now, ascending: the rows compare the other way.
    EXPECT_GT(form->ListView1Compare(List()->topLevelItem(0), List()->topLevelItem(1)), 0);
    EXPECT_GT(form->ListView1Compare(List()->topLevelItem(1), List()->topLevelItem(2)), 0);

    ClickHeader(0);
    EXPECT_EQ(Column(0), (QStringList{"alpha.mp3", "Beta.mp3", "gamma.mp3"}));
    ExpectFoundPathsFollowTheRows();

    // By folder: descending first; the name column's flag is left alone.
    ClickHeader(1);
    EXPECT_EQ(form->SortColumn, 1);
    EXPECT_EQ(Column(0), (QStringList{"gamma.mp3", "alpha.mp3", "Beta.mp3"}));
    ExpectFoundPathsFollowTheRows();
    ClickHeader(0);
    EXPECT_EQ(Column(0), (QStringList{"gamma.mp3", "Beta.mp3", "alpha.mp3"}));
}

TEST_F(SortTest, SelectedRowsStaySelectedThroughASort) {
    SelectRows({0});
    ClickHeader(0);
    ASSERT_EQ(List()->selectedItems().size(), 1);
    EXPECT_EQ(List()->selectedItems()[0]->text(0), "alpha.mp3");
    EXPECT_EQ(Panel(1), "Selected: 1");
}

TEST_F(SortTest, ColumnsCreatedAnewStartAgainDescending) {
    ClickHeader(1);
    EXPECT_EQ(form->Directions.Of(1), 1);
    ClickHeader(0);
    EXPECT_EQ(form->Directions.Of(0), 1);

    // Processing from the search view keeps the first two columns and adds the others.
    Process();
    EXPECT_EQ(form->Directions.Of(1), 1);
    EXPECT_EQ(form->Directions.Of(3), 0);
    ClickHeader(3);
    EXPECT_EQ(form->Directions.Of(3), 1);
    // A run from the processed view keeps all seven.
    Process();
    EXPECT_EQ(form->Directions.Of(3), 1);

    // A search from the processed view creates its columns anew; the list's own flag stays.
    Search(folder.Root());
    EXPECT_EQ(form->Directions.Of(0), 1);
    EXPECT_EQ(form->Directions.Of(1), 0);
    EXPECT_EQ(form->Directions.Of(2), 0);
    EXPECT_EQ(Column(0), (QStringList{"gamma.mp3", "Beta.mp3", "alpha.mp3"}))
        << "the search ends opposite to the name flag";
}

TEST_F(OrganizerTest, TheProcessedViewSortsYearsAsTextsAndKeepsFoundPathsTrue) {
    const QString y1999 =
        Mp3(QStringLiteral("a.mp3"),
            {{"v2", QJsonObject{{"version", 3},
                                {"frames", QJsonObject{{"TYER", "1999"}, {"TRCK", "1"}}}}}});
    const QString y2005 =
        Mp3(QStringLiteral("b.mp3"),
            {{"v2", QJsonObject{{"version", 3},
                                {"frames", QJsonObject{{"TYER", "2005"}, {"TRCK", "10"}}}}}});
    const QString noYear =
        Mp3(QStringLiteral("c.mp3"),
            {{"v2",
              QJsonObject{{"version", 3}, {"frames", QJsonObject{{"TIT2", "x"}, {"TRCK", "9"}}}}}});
    Search(folder.Root());
    Process();
    ASSERT_EQ(List()->topLevelItemCount(), 3);

    ClickHeader(4);
    EXPECT_EQ(Column(4), (QStringList{"2005", "1999", ""})) << "descending; the empty year last";
    EXPECT_EQ(FoundPaths(), (QStringList{y2005, y1999, noYear}));
    ClickHeader(6);
    EXPECT_EQ(Column(6), (QStringList{"9", "10", "1"}));
    ClickHeader(6);
    EXPECT_EQ(Column(6), (QStringList{"1", "10", "9"}));
    EXPECT_EQ(FoundPaths(), (QStringList{y1999, y2005, noYear}));

    // The next run takes the rows in their sorted order.
    Process();
    EXPECT_EQ(Column(0), (QStringList{y1999, y2005, noYear}));
    EXPECT_EQ(Text("Label16"), "3");
}

} // namespace
