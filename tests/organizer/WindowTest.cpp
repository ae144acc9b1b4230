#include "OrganizerFixture.h"

#include "app/StartUp.h"
#include "editor/TForm1.h"
#include "platform/LayoutLook.h"
#include "platform/PictureBox.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QRadioButton>

namespace {

TEST_F(OrganizerTest, TheWindowOpensWithItsLayoutAndFirstStep) {
    EXPECT_EQ(form->windowTitle(), "File Organizer :: Kivuna");
    EXPECT_EQ(form->size(), QSize(992, 665));
    EXPECT_EQ(form->minimumSize(), QSize(992, 665));
    EXPECT_EQ(List()->geometry(), QRect(0, 230, 992, 410));
    EXPECT_EQ(Control("StatusBar1")->geometry(), QRect(0, 640, 992, 25));
    EXPECT_TRUE(Control("Image2")->isEnabled());
    for (const char* name : {"Image3", "Label2", "Image4", "Label3"})
        EXPECT_FALSE(Control(name)->isEnabled()) << name;
    EXPECT_TRUE(Control("Image5")->isVisible());
    EXPECT_FALSE(Control("Image6")->isVisible());
    EXPECT_FALSE(Control("Image7")->isVisible());
    EXPECT_FALSE(Control("Label7")->isVisible());
    EXPECT_FALSE(Control("Animate1")->isVisible());
    EXPECT_FALSE(Control<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_TRUE(Control<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_EQ(List()->columnCount(), 2);
    EXPECT_EQ(Panel(0), "0 file(s)");
    EXPECT_EQ(Panel(1), "Selected: 0");
    EXPECT_EQ(Panel(2), "");
    EXPECT_FALSE(form->AutoProcess || form->ShowUnresolved || form->UseId3v1);
    EXPECT_FALSE(Control<platform::PictureBox>("Image1")->Picture().isNull());
    EXPECT_EQ(Control<platform::PictureBox>("Image5")->Picture().size(), QSize(24, 24));
    EXPECT_TRUE(messages.Errors().isEmpty());
}

TEST_F(OrganizerTest, TheListFollowsTheWindowAndOnlyTheSearchViewWidensItsPathColumn) {
    form->resize(1192, 770);
    QApplication::processEvents();
    EXPECT_EQ(List()->size(), QSize(1192, 515));
    EXPECT_EQ(List()->columnWidth(1), 887);
    EXPECT_EQ(Control("Image1")->width(), 1192);
    EXPECT_EQ(Control("StatusBar1")->geometry().bottom(), 769);

    form->resize(100, 100);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(992, 665)) << "the window cannot be made smaller";

    Control<QRadioButton>("RadioButton1")->click();
    ASSERT_EQ(List()->columnCount(), 7);
    form->resize(1100, 700);
    QApplication::processEvents();
    EXPECT_EQ(List()->size(), QSize(1100, 445));
    EXPECT_EQ(List()->columnWidth(1), 250);
    EXPECT_EQ(List()->columnWidth(6), 50);
}

TEST_F(OrganizerTest, TheFirstStepCaptionFollowsThePointerAndTheButton) {
    const auto colour = [this] { return Control("Label1")->palette().color(QPalette::WindowText); };
    QEvent away(QEvent::Leave);
    QApplication::sendEvent(Control("Image2"), &away);
    EXPECT_EQ(colour(), QColor(255, 255, 0));
    for (const char* face : {"Image2", "Label1"}) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(Control(face), &enter);
        EXPECT_EQ(colour(), QColor(255, 255, 255)) << face;
        QTest::mousePress(Control(face), Qt::RightButton);
        EXPECT_EQ(colour(), QColor(0, 255, 255)) << face;
        QTest::mouseRelease(Control(face), Qt::RightButton);
        EXPECT_EQ(colour(), QColor(255, 255, 0)) << face;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(Control(face), &leave);
        EXPECT_EQ(colour(), QColor(255, 255, 0)) << face;
    }
    EXPECT_TRUE(dialogs.requests.empty()) << "a right click starts no search";
}

TEST_F(OrganizerTest, CaptionsFitTheirPlacesInWhateverFontStandsIn) {
    editor::TForm1 editorWindow;
    const QList<QWidget*> windows{form.get(), &editorWindow};
    // As the fonts at hand draw them (no Tahoma, no display fonts here), then 30% wider.
    for (const bool wider : {false, true}) {
        for (QWidget* window : windows) {
            for (QWidget* caption : window->findChildren<QWidget*>()) {
                const int fitWidth = caption->property("fitWidth").toInt();
                if (fitWidth == 0)
                    continue;
                if (wider) {
                    QFont font = caption->font();
                    font.setLetterSpacing(QFont::PercentageSpacing, 130);
                    caption->setFont(font);
                    platform::FitCaption(caption);
                }
                const std::string name = caption->objectName().toStdString();
                EXPECT_LE(caption->sizeHint().width(), fitWidth) << name << " is cut";
                EXPECT_LE(caption->width(), fitWidth) << name;
            }
        }
        const auto clear = [](QWidget* caption, QWidget* neighbour) {
            EXPECT_LT(caption->geometry().right() + 1, neighbour->x())
                << caption->objectName().toStdString();
        };
        clear(Control("Label1"), Control("Image3"));
        clear(Control("Label2"), Control("Image4"));
        clear(Control("Label10"), Control("Label8"));
        clear(Control("Label15"), Control("Label16"));
        clear(Control("Label17"), Control("Label18"));
    }
    EXPECT_EQ(Control("Label2")->pos(), QPoint(231, 21)) << "captions keep their places";
    EXPECT_EQ(Control("Label10")->pos(), QPoint(8, 33));
    EXPECT_EQ(Control("CheckBox2")->geometry(), QRect(12, 47, 200, 17));
    EXPECT_EQ(testsupport::FindControl(&editorWindow, "Label17")->geometry(),
              QRect(28, 18, 84, 16));
}

TEST_F(OrganizerTest, ShowingAgainKeepsTheCountsAndTheStopButtonAloneDoesNothingVisible) {
    for (int i = 0; i < 3; ++i)
        Touch(QStringLiteral("f%1.mp3").arg(i));
    Search(folder.Root());
    SelectRows({0, 2});
    form->close();
    EXPECT_FALSE(form->isVisible());
    app::ShowOrganizer(*form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Panel(0), "3 file(s)");
    EXPECT_EQ(Panel(1), "Selected: 2");
    EXPECT_EQ(List()->topLevelItemCount(), 3);

    form->Running = 1;
    Click("BitBtn1");
    EXPECT_EQ(form->Running, 0);
    EXPECT_EQ(List()->topLevelItemCount(), 3);
    EXPECT_EQ(Panel(0), "3 file(s)");
}

} // namespace
