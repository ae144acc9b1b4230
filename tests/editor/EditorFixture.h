#pragma once

#include "TagFiles.h"
#include "TestSupport.h"
#include "editor/TForm1.h"
#include "editor/Unit1.h"
#include "platform/FileDialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The real editor window, shown offscreen, with message boxes and the open dialog answered.
class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        editor::InitializeUnit1();
        form = std::make_unique<editor::TForm1>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    template <typename T = QWidget> T* Control(const char* name) const {
        return testsupport::FindControl<T>(form.get(), name);
    }
    void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }

    // Opens the file through "..." and the dialog.
    void Open(const QString& path) {
        dialogs.answer = path;
        Click("SpeedButton1");
    }

    // The seven field texts as the window shows them.
    QStringList Shown() const {
        return {Control<QLineEdit>("Edit2")->text(),
                Control<QLineEdit>("Edit3")->text(),
                Control<QLineEdit>("Edit4")->text(),
                Control<QLineEdit>("Edit5")->text(),
                Control<QComboBox>("ComboBox1")->currentText(),
                Control<QLineEdit>("Edit6")->text(),
                Control<QPlainTextEdit>("Memo1")->toPlainText()};
    }

    QString Mp3(const QJsonObject& tags, const QString& name = QStringLiteral("song.mp3")) {
        return tagfiles::MakeMp3(folder, name, tags);
    }

    testsupport::TempFolder folder;
    testsupport::MessageCapture messages;
    std::unique_ptr<editor::TForm1> form;
    testsupport::DialogAnswers dialogs;
};
