// "Create tags...", "Delete tags...", "Get from filename", the main menu, keys and dropped files.
#include "EditorFixture.h"

#include "QuestionAnswers.h"

#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTextBrowser>
#include <QUrl>

namespace {

const QJsonObject kBothTags{{"v1", QJsonObject{{"title", "V1 Title"}, {"track", 4}}},
                            {"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "V2 Title"}}}}}};

class CommandsTest : public EditorTest {
  protected:
    QJsonObject Tags(const QString& path) { return tagfiles::ReadTags(path); }
    QuestionAnswers questions;
};

TEST_F(CommandsTest, CreateGivesOnlyAMissingTagAndDeleteRemovesTheChosenOneAfterAsking) {
    const QString bare = Mp3({}, "bare.mp3");
    Open(bare);
    Click("Image16");
    EXPECT_TRUE(Tags(bare)[u"v1"].isObject());
    EXPECT_TRUE(Tags(bare)[u"v2"].isNull());
    Click("Image16");
    Control<QRadioButton>("RadioButton2")->click();
    Click("Image16");
    EXPECT_EQ(Tags(bare)[u"v2"].toObject()[u"frames"].toObject(), QJsonObject());
    EXPECT_EQ(messages.Texts(), QStringList{"The file already has an ID3v1 tag."});
    EXPECT_TRUE(questions.asked.isEmpty());

    const QString both = Mp3(kBothTags, "both.mp3");
    Open(both);
    const QByteArray before = testsupport::ReadFile(both);
    questions.yes = false;
    Click("Image17");
    EXPECT_EQ(testsupport::ReadFile(both), before) << "answered No";
    questions.yes = true;
    Click("Image17");
    EXPECT_EQ(questions.asked.size(), 2);
    EXPECT_EQ(questions.asked.back(), "Delete the ID3v2 tag of \"both.mp3\"?\n"
                                      "The audio and the other tag stay as they are.");
    EXPECT_TRUE(Tags(both)[u"v2"].isNull());
    EXPECT_EQ(testsupport::ReadFile(both), testsupport::SilentAudio() + before.right(128));
    EXPECT_EQ(Shown(), QStringList(7));

    // The file now has only ID3v1: deleting ID3v2 again says so; ID3v1 goes after asking.
    Click("Image17");
    EXPECT_EQ(messages.Texts().back(), "The file has no ID3v2 tag.");
    Control<QRadioButton>("RadioButton1")->click();
    Click("Image17");
    EXPECT_EQ(testsupport::ReadFile(both), testsupport::SilentAudio());
    EXPECT_EQ(questions.asked.size(), 3);

    // A file that is no MP3 gets no tag and loses none.
    const QString notes = folder.Path("notes.mp3");
    const QByteArray text = QByteArray(200, 'x') + "TAG" + QByteArray(125, ' ');
    testsupport::WriteFile(notes, text);
    Open(notes);
    Click("Image16");
    Click("Image17");
    EXPECT_EQ(testsupport::ReadFile(notes), text);
    EXPECT_EQ(messages.Texts().mid(2), (QStringList{"\"notes.mp3\" is not an MP3 file.",
                                                    "\"notes.mp3\" is not an MP3 file."}));
    EXPECT_EQ(questions.asked.size(), 3);
}

TEST_F(CommandsTest, GetFromFilenameFillsOneFieldOrAllNamedOnesWithoutSaving) {
    const QString path = Mp3(kBothTags, "Mira Vale - Night Drive.mp3");
    Open(path);
    const QByteArray before = testsupport::ReadFile(path);
    questions.text = QStringLiteral("%artist% - %title%");
    Control<QAction>("Getfromfilename1")->trigger();
    EXPECT_EQ(messages.Texts(), QStringList{"Switch edit mode on to fill the fields."});

    Click("Label17");
    // The field menu fills the field it was opened on.
    emit Control("Edit3")->customContextMenuRequested(QPoint(2, 2));
    form->findChild<QMenu*>("PopupMenu1")->hide();
    Control<QAction>("Getfromfilename2")->trigger();
    EXPECT_EQ(Shown()[0], "V1 Title");
    EXPECT_EQ(Shown()[1], "Mira Vale");
    Control<QAction>("Getfromfilename1")->trigger();
    EXPECT_EQ(Shown()[0], "Night Drive");
    EXPECT_EQ(Shown()[5], "4") << "a field the pattern does not name stays";
    EXPECT_EQ(testsupport::ReadFile(path), before);

    questions.text = QStringLiteral("%track% - %title%");
    Control<QAction>("Getfromfilename1")->trigger();
    EXPECT_EQ(messages.Texts().back(), "The file name \"Mira Vale - Night Drive\" does not fit "
                                       "the pattern \"%track% - %title%\".");
    questions.text.reset();
    Control<QAction>("Getfromfilename1")->trigger();
    EXPECT_EQ(messages.Texts().size(), 2) << "a cancelled pattern does nothing";
    Click("SpeedButton2");
    EXPECT_EQ(Tags(path)[u"v1"].toObject()[u"title"].toString(), "Night Drive");
}

TEST_F(CommandsTest, MenuItemsKeysAndADroppedFileRunTheirCommands) {
    const QString path = Mp3(kBothTags);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    dialogs.answer = path;
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), path);

    QTest::keyClick(form.get(), Qt::Key_F2);
    EXPECT_TRUE(form->EditMode);
    Control<QLineEdit>("Edit2")->setText("Typed");
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(Shown()[0], "V1 Title");
    Control<QLineEdit>("Edit2")->setText("Saved by key");
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Tags(path)[u"v1"].toObject()[u"title"].toString(), "Saved by key");
    Control<QLineEdit>("Edit2")->setText("Reloaded");
    Control<QAction>("Loadfromsource1")->trigger();
    EXPECT_EQ(Shown()[0], "Saved by key");

    Control<QAction>("ID3v1ID3v21")->trigger();
    EXPECT_EQ(Tags(path)[u"v2"].toObject()[u"frames"].toObject()[u"TIT2"], "Saved by key");
    EXPECT_EQ(messages.Texts(), QStringList{"Copied to ID3V2!"});

    // A dropped MP3 file is opened.
    const QString other = Mp3(kBothTags, "other.mp3");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(other)});
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Control("Edit2"), &drop);
    EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), other);

    Control<QAction>("Openhelpfile1")->trigger();
    Control<QAction>("About1")->trigger();
    const auto shownText = [this](const char* window) {
        auto* shown = form->findChild<QWidget*>(window);
        return shown != nullptr && shown->isVisible()
                   ? shown->findChild<QTextBrowser*>()->toPlainText()
                   : QString();
    };
    EXPECT_TRUE(shownText("GuideWindow").contains("Get from filename"));
    EXPECT_TRUE(shownText("AboutWindow").contains("Kivuna 1.0.0"));
    EXPECT_TRUE(shownText("AboutWindow").contains("TagLib, under the GNU LGPL"));
    EXPECT_TRUE(shownText("AboutWindow")
                    .contains("free software under the GNU General Public License, version 3"));
}

// A drop leaves the file where it is; what cannot be opened is refused with a reason, and
// unsaved edits are not thrown away without asking. Controls that cannot act say why.
TEST_F(CommandsTest, DropsAreCopiesAndWhatIsNotOpenedIsSaid) {
    Click("Image16");
    EXPECT_EQ(messages.Texts(), QStringList{"Open an MP3 file first."});
    const QString path = Mp3(kBothTags);
    const QString other = Mp3(kBothTags, "other.mp3");
    testsupport::WriteFile(folder.Path("notes.txt"), "notes");
    QDir().mkpath(folder.Path("album"));
    const auto dropOf = [&](const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        const Qt::DropActions offered = Qt::MoveAction | Qt::CopyAction;
        QDragEnterEvent enter(QPoint(300, 200), offered, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(300, 200), offered, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &drop);
        return drop.dropAction();
    };
    EXPECT_EQ(dropOf({path, other}), Qt::CopyAction);
    EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), path);
    dropOf({folder.Path("notes.txt")});
    dropOf({folder.Path("album")});
    EXPECT_EQ(messages.Texts().mid(1),
              (QStringList{"One file is opened at a time: \"song.mp3\" was opened, the other 1 "
                           "dropped with it were not.",
                           "\"notes.txt\" is not an MP3 file.",
                           "\"album\" is a folder: drop one MP3 file, or open the folder in the "
                           "organizer."}));

    Click("Label17");
    Control<QLineEdit>("Edit2")->setText("Typed");
    QuestionAnswers answers;
    answers.yes = false;
    dropOf({other});
    EXPECT_EQ(answers.asked,
              QStringList{"Discard the changes made to \"song.mp3\" and open \"other.mp3\"?"});
    EXPECT_EQ(Control<QLineEdit>("Edit1")->text(), path);
    EXPECT_EQ(Shown()[0], "Typed");

    // Enter in the path box opens what was typed.
    const qsizetype seen = messages.Texts().size();
    Control<QLineEdit>("Edit1")->setText(other);
    QTest::keyClick(Control("Edit1"), Qt::Key_Return);
    EXPECT_EQ(Shown()[0], "V1 Title");
    Control<QLineEdit>("Edit1")->setText(folder.Path("gone.mp3"));
    QTest::keyClick(Control("Edit1"), Qt::Key_Return);
    Click("BitBtn2");
    EXPECT_EQ(messages.Texts().mid(seen),
              (QStringList{"There is no file \"" + folder.Path("gone.mp3") + "\".",
                           "Pictures are kept in the ID3v2 tag: choose \"ID3 v2\" first."}));
}

} // namespace
