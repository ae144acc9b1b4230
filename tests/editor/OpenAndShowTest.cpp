#include "EditorFixture.h"

#include <QLabel>
#include <QMenu>
#include <QRadioButton>

namespace {

const QJsonObject kBothTags{
    {"v1", QJsonObject{{"title", "V1 Title"},
                       {"artist", "V1 Artist"},
                       {"year", "1999"},
                       {"genre", 17},
                       {"track", 4}}},
    {"v2",
     QJsonObject{
         {"frames", QJsonObject{{"TIT2", "V2 Title"}, {"TCON", "(17)Custom"}, {"TRCK", "3/12"}}},
         {"comments", QJsonObject{{"", "line one\nline two"}}}}}};

TEST_F(EditorTest, StartsWithTheLayoutsLookAndNothingOpen) {
    EXPECT_EQ(form->windowTitle(), "Kivuna");
    EXPECT_EQ(form->TagVersion, 1);
    EXPECT_FALSE(form->EditMode);
    EXPECT_TRUE(Control<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(Control<QLabel>("Label17")->text(), "Edit mode OFF");
    EXPECT_TRUE(Control<QLineEdit>("Edit2")->isReadOnly());
    EXPECT_FALSE(Control<QComboBox>("ComboBox1")->isEnabled());
    EXPECT_FALSE(Control("SpeedButton2")->isEnabled());
    EXPECT_FALSE(Control("BitBtn1")->isEnabled());
    EXPECT_EQ(Shown(), QStringList(7));
    for (const char* empty : {"Label11", "Label13", "Label15"})
        EXPECT_EQ(Control<QLabel>(empty)->text(), "[          ]");

    auto* genres = Control<QComboBox>("ComboBox1");
    ASSERT_EQ(genres->count(), 145);
    EXPECT_EQ(genres->itemText(0), "A capella");
    EXPECT_EQ(genres->itemText(43), "Drum&Bass");
    EXPECT_EQ(genres->itemText(144), "Vocal");
    EXPECT_EQ(Control("Image12")->toolTip(), "Get from other ID3...");
    EXPECT_TRUE(Control("Image16")->toolTip().isEmpty()) << "its hint is never shown";
}

TEST_F(EditorTest, OpeningShowsTheSelectedTagAndSwitchingShowsTheOther) {
    const QString path = Mp3(kBothTags);
    Control<QRadioButton>("RadioButton2")->click();
    EXPECT_EQ(form->TagVersion, 2);
    EXPECT_EQ(Shown(), QStringList(7)) << "no file yet: the fields stay";

    Open(path);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Open MP3 file:");
    EXPECT_EQ(dialogs.requests[0].filter, "Music files (*.mp3)");
    EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), path);
    EXPECT_EQ(Shown(),
              (QStringList{"V2 Title", "", "", "", "17 Custom", "3", "line one\nline two"}));

    Control<QRadioButton>("RadioButton1")->click();
    EXPECT_EQ(Shown(), (QStringList{"V1 Title", "V1 Artist", "", "1999", "Rock", "4", ""}));
    EXPECT_EQ(dialogs.requests.size(), 1u);
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(EditorTest, ACancelledDialogOrATypedPathBehaveAsTheUserExpects) {
    const QString path = Mp3(kBothTags);
    Open(QString());
    EXPECT_TRUE(Control<QLineEdit>("Edit1")->text().isEmpty());

    // A typed path is read at the next switch of the tag version.
    Control<QLineEdit>("Edit1")->setText(path);
    Control<QRadioButton>("RadioButton2")->click();
    EXPECT_EQ(Shown()[0], "V2 Title");

    // A path that names no file leaves the fields as they are.
    Control<QLineEdit>("Edit1")->setText(path + QStringLiteral(".gone"));
    Control<QRadioButton>("RadioButton1")->click();
    EXPECT_EQ(form->TagVersion, 1);
    EXPECT_EQ(Shown()[0], "V2 Title");
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(EditorTest, TheFieldMenuCaptionsFollowTheTagVersion) {
    const auto captions = [this] {
        emit Control("Edit2")->customContextMenuRequested(QPoint(2, 2));
        QMenu* menu = form->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
        QStringList texts;
        for (QAction* item : menu->actions())
            texts << item->text();
        return texts;
    };
    EXPECT_EQ(captions(),
              (QStringList{"Get from ID3v2", "Copy to ID3v2", "", "Get from filename..."}));
    Control<QRadioButton>("RadioButton2")->click();
    EXPECT_EQ(captions(),
              (QStringList{"Get from ID3v1", "Copy to ID3v1", "", "Get from filename..."}));
}

} // namespace
