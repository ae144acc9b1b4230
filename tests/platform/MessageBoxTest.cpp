#include "platform/MessageBox.h"
#include "TestSupport.h"
#include "platform/MessageBoxWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(MessageBox, TestsAnswerTheSeamAndReadEveryText) {
    testsupport::MessageCapture capture;
    platform::ShowMessage(QStringLiteral("first"));
    platform::ShowMessage(QStringLiteral("second"));
    EXPECT_EQ(capture.Texts(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}

TEST(MessageBox, RealBoxHasOneOkButtonAndTheProgramTitle) {
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    platform::UseMessageBoxWindow();
    QString caption, text;
    int buttons = 0;
    // Answer the modal box from inside its own event loop, as a user would.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        buttons = int(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    platform::ShowMessage(QStringLiteral("Saved!"));
    EXPECT_EQ(caption, QStringLiteral("Kivuna"));
    EXPECT_EQ(text, QStringLiteral("Saved!"));
    EXPECT_EQ(buttons, 1);
}

} // namespace
