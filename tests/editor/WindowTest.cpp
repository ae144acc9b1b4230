#include "EditorFixture.h"

#include "editor/ResPictures.h"
#include "platform/Fonts.h"
#include "platform/PictureBox.h"

#include <QMenuBar>
#include <QTimer>

namespace {

QSize ClientSize(editor::TForm1* form) {
    return form->centralWidget()->size();
}

TEST_F(EditorTest, ThePanelFollowsTheWindowWithinItsLimits) {
    EXPECT_EQ(ClientSize(form.get()), QSize(706, 482)) << "at first show";
    // A menu bar of another height; the window manager maximises to the window's maximum.
    editor::TForm1 tall;
    tall.menuBar()->setFont(platform::WindowFont(30));
    tall.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tall));
    const int bar = tall.menuBar()->height();
    EXPECT_GT(bar, form->menuBar()->height());
    EXPECT_EQ(ClientSize(&tall), QSize(706, 482));
    EXPECT_EQ(tall.minimumSize(), QSize(706, 482 + bar));
    EXPECT_EQ(tall.maximumSize(), QSize(1272, 749 + bar));

    const auto check = [this](QSize asked, QSize client) {
        form->resize(asked.width(), asked.height() + form->menuBar()->height());
        QApplication::processEvents();
        EXPECT_EQ(ClientSize(form.get()), client);
        EXPECT_EQ(Control("Panel1")->size(), QSize(client.width() + 2, client.height() - 66));
        EXPECT_EQ(Control("Image15")->width(), client.width());
        EXPECT_EQ(Control("StatusBar1")->geometry().bottom(), client.height() - 1);
    };
    check({800, 600}, {800, 600});
    check({100, 100}, {706, 482});
    check({5000, 5000}, {1272, 749});
    EXPECT_EQ(Control("Edit2")->geometry(), QRect(160, 76, 468, 21))
        << "the controls keep their places";
}

TEST_F(EditorTest, PictureButtonsGrowAroundTheirCentreWhilePointedAt) {
    for (const char* name : {"Image12", "Image13", "Image14", "Image16", "Image17"}) {
        QWidget* button = Control(name);
        const QRect rest = button->geometry();
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(button, &enter);
        EXPECT_EQ(button->geometry(), rest.adjusted(-2, -2, 2, 2)) << name;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        EXPECT_EQ(button->geometry(), rest) << name;
    }
    EXPECT_EQ(Control("Image12")->geometry(), QRect(643, 85, 48, 48));
}

TEST_F(EditorTest, TheSwitchFaceFollowsThePointerAndTheButton) {
    auto* face = Control<platform::PictureBox>("Image2");
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(Control("Label17"), &enter);
    EXPECT_EQ(face->Picture(), editor::LoadResPicture("Black_HL.png"));
    QTest::mousePress(face, Qt::RightButton);
    EXPECT_EQ(face->Picture(), editor::LoadResPicture("Black_CL.png"));
    QTest::mouseRelease(face, Qt::RightButton);
    EXPECT_EQ(face->Picture(), editor::LoadResPicture("Black_HL.png"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(face, &leave);
    EXPECT_EQ(face->Picture(), editor::LoadResPicture("Black_n.png"));
    EXPECT_TRUE(messages.Errors().isEmpty());
}

TEST_F(EditorTest, ExitClosesTheWindowAndEndsTheProgram) {
    // "Exit" does what the close box does.
    QTimer::singleShot(0, form.get(), [this] { Control<QAction>("Exit1")->trigger(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    watchdog.start(10000);
    bool timedOut = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(editor::Unit1Id3(), nullptr) << "the editor's ID3 goes with its window";
}

} // namespace
