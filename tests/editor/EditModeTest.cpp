#include "EditorFixture.h"

#include "editor/ResPictures.h"
#include "platform/PictureBox.h"

#include <QDir>
#include <QLabel>
#include <QRadioButton>

namespace {

const QJsonObject kV1Tag{{"v1", QJsonObject{{"title", "Stored"}, {"genre", 13}, {"track", 2}}}};

QColor TextColor(QWidget* control) {
    return control->palette().color(QPalette::Text);
}

TEST_F(EditorTest, TheSwitchTogglesBothLooksAndKeepsTheTexts) {
    const QString path = Mp3(kV1Tag);
    Open(path);
    Click("Label17");
    EXPECT_TRUE(form->EditMode);
    EXPECT_EQ(Control<QLabel>("Label17")->text(), "Edit mode ON");
    EXPECT_EQ(Control("Label17")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    for (const char* edit : {"Edit2", "Edit3", "Edit4", "Edit5", "Edit6"}) {
        EXPECT_FALSE(Control<QLineEdit>(edit)->isReadOnly()) << edit;
        EXPECT_EQ(TextColor(Control(edit)), QColor(0, 0, 0)) << edit;
    }
    EXPECT_TRUE(Control("ComboBox1")->isEnabled());
    EXPECT_FALSE(Control<QPlainTextEdit>("Memo1")->isReadOnly());
    for (const char* button : {"BitBtn1", "BitBtn2", "SpeedButton2", "SpeedButton3"})
        EXPECT_TRUE(Control(button)->isEnabled()) << button;
    EXPECT_EQ(Control<platform::PictureBox>("Image3")->Picture(),
              editor::LoadResPicture("lock_off.png"));
    EXPECT_EQ(Control<platform::PictureBox>("Image11")->Picture(),
              editor::LoadResPicture("lock_off_disabled_24.png"));

    Control<QLineEdit>("Edit2")->setText("Unsaved");
    Click("Image2"); // the picture behind the caption does the same
    EXPECT_FALSE(form->EditMode);
    EXPECT_EQ(Control<QLabel>("Label17")->text(), "Edit mode OFF");
    EXPECT_EQ(Control("Label17")->palette().color(QPalette::WindowText), QColor(192, 192, 192));
    EXPECT_TRUE(Control<QLineEdit>("Edit2")->isReadOnly());
    EXPECT_EQ(TextColor(Control("Edit2")), QColor(0, 128, 0));
    EXPECT_FALSE(Control("SpeedButton2")->isEnabled());
    EXPECT_EQ(Control<platform::PictureBox>("Image10")->Picture(),
              editor::LoadResPicture("lock.png"));
    EXPECT_EQ(Control<QLineEdit>("Edit2")->text(), "Unsaved");
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(EditorTest, SaveWritesTheSelectedTagAndShowsWhatTheFileHolds) {
    const QString path = Mp3(kV1Tag);
    Open(path);
    Click("Label17");
    Control<QLineEdit>("Edit2")->setText("  New title");
    Control<QComboBox>("ComboBox1")->setEditText("Jazz");
    Click("SpeedButton2");
    EXPECT_TRUE(messages.Texts().isEmpty());
    const QJsonObject v1 = tagfiles::ReadTags(path)[u"v1"].toObject();
    EXPECT_EQ(v1[u"title"].toString(), "  New title") << "the window neither trims nor converts";
    EXPECT_EQ(v1[u"genre"].toInt(), 8);
    EXPECT_EQ(Shown()[0], "  New title");
    EXPECT_TRUE(form->EditMode) << "saving leaves edit mode on";

    // ID3v2: the eighth entry is empty, so no picture is attached.
    Control<QRadioButton>("RadioButton2")->click();
    Control<QLineEdit>("Edit3")->setText("Artist Two");
    Control<QLineEdit>("Edit6")->setText("B-side");
    Click("SpeedButton2");
    const QJsonObject frames = tagfiles::ReadTags(path)[u"v2"].toObject()[u"frames"].toObject();
    EXPECT_EQ(frames[u"TPE1"].toString(), "Artist Two");
    EXPECT_EQ(frames[u"TRCK"].toString(), "B-side");
    EXPECT_FALSE(frames.contains(u"APIC:"));
    EXPECT_EQ(Shown()[5], "0") << "the reload shows the track number the text holds";
}

TEST_F(EditorTest, ASaveKeepsEveryCharacterThatWasNotEdited) {
    // CR LF, a lone CR, a tab, a no-break space, a line separator, inner and trailing blanks and
    // a character outside the BMP.
    const QString odd =
        QString::fromUtf8("one\r\ntwo\rthree\tfour\u00a0five\u2028six  \U0001F3B5 ");
    const QString path =
        Mp3(QJsonObject{{"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", odd}}},
                                           {"comments", QJsonObject{{"", odd}}}}}});
    const QByteArray stored = testsupport::ReadFile(path);
    Control<QRadioButton>("RadioButton2")->click();
    Open(path);
    Click("Label17");
    Click("SpeedButton2");
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_EQ(testsupport::ReadFile(path), stored) << "a save without edits changes no byte";

    // Another field edited: the title and the comment go back as they were read.
    Control<QLineEdit>("Edit3")->setText("Artist");
    Click("SpeedButton2");
    QJsonObject frames = tagfiles::ReadTags(path)[u"v2"].toObject()[u"frames"].toObject();
    EXPECT_EQ(frames[u"TPE1"].toString(), "Artist");
    EXPECT_EQ(frames[u"TIT2"].toString(), odd);
    EXPECT_EQ(frames[u"COMM::eng"].toString(), odd);

    // The comment edited: its line breaks take the stored CR LF, no-break spaces stay.
    auto* memo = Control<QPlainTextEdit>("Memo1");
    memo->moveCursor(QTextCursor::End);
    memo->insertPlainText("!\nend");
    Click("SpeedButton2");
    frames = tagfiles::ReadTags(path)[u"v2"].toObject()[u"frames"].toObject();
    EXPECT_EQ(
        frames[u"COMM::eng"].toString(),
        QString::fromUtf8("one\r\ntwo\r\nthree\tfour\u00a0five\u2028six  \U0001F3B5 !\r\nend"));
    EXPECT_EQ(frames[u"TIT2"].toString(), odd);
}

TEST_F(EditorTest, AFailedSaveShowsBothMessagesThenTheStoredValues) {
    const QString path = Mp3(kV1Tag);
    Open(path);
    Click("Label17");
    Control<QLineEdit>("Edit2")->setText("Lost");
    Control<QLineEdit>("Edit6")->setText("");
    Click("SpeedButton2");
    EXPECT_EQ(messages.Texts(),
              (QStringList{"'' is not a valid integer value", "Error saving ID3v1 Tag!"}));
    EXPECT_EQ(Shown()[0], "Stored");
    EXPECT_EQ(Shown()[5], "2");
    EXPECT_EQ(tagfiles::ReadTags(path)[u"v1"].toObject()[u"title"].toString(), "Stored");
}

TEST_F(EditorTest, CancelRestoresAndNothingHappensWithoutAFile) {
    const QString path = Mp3(kV1Tag);
    Open(path);
    Click("Label17");
    Control<QLineEdit>("Edit2")->setText("Edited");
    Click("SpeedButton3");
    EXPECT_EQ(Shown()[0], "Stored");

    Control<QLineEdit>("Edit1")->setText(folder.Path("nothing.mp3"));
    Control<QLineEdit>("Edit2")->setText("Edited");
    Click("SpeedButton3");
    Click("SpeedButton2");
    EXPECT_EQ(Shown()[0], "Edited");
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_EQ(tagfiles::ReadTags(path)[u"v1"].toObject()[u"title"].toString(), "Stored");
}

TEST_F(EditorTest, AMissingSwitchPictureGoesToTheErrorBoxAndTheOldPictureStays) {
    // A current folder whose "Res" lacks the pictures.
    QDir().mkpath(folder.Path("Res"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.Root());
    auto* face = Control<platform::PictureBox>("Image2");
    const QImage before = face->Picture();
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(face, &enter);
    Click("Label17");
    QDir::setCurrent(previous);

    EXPECT_EQ(face->Picture(), before);
    ASSERT_GE(messages.Errors().size(), 2);
    EXPECT_TRUE(messages.Errors()[0].startsWith("Cannot open file \"Res/Black_HL.png\""))
        << messages.Errors()[0].toStdString();
    // The toggle took effect up to the first lock picture.
    EXPECT_TRUE(form->EditMode);
    EXPECT_EQ(Control<QLabel>("Label17")->text(), "Edit mode ON");
    EXPECT_TRUE(messages.Errors().contains(
        "Cannot open file \"Res/lock_off.png\". No such file or directory"))
        << messages.Errors().join('|').toStdString();
}

} // namespace
