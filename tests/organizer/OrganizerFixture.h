#pragma once

#include "QuestionAnswers.h"
#include "TagFiles.h"
#include "TestSupport.h"
#include "organizer/ListFiles.h"
#include "organizer/TForm2.h"
#include "organizer/TagCommandDialog.h"
#include "platform/FileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The real organizer window, shown offscreen, over real folder trees; the folder dialog and the
// message boxes are answered through the platform's seams.
class OrganizerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        organizer::InitializeListFiles();
        form = std::make_unique<organizer::TForm2>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    template <typename T = QWidget> T* Control(const char* name) const {
        return testsupport::FindControl<T>(form.get(), name);
    }
    void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }
    QString Text(const char* name) const { return Control<QLabel>(name)->text(); }
    QString Panel(int index) const {
        return Control<QLabel>(QStringLiteral("StatusPanel%1").arg(index).toLatin1().constData())
            ->text();
    }
    QTreeWidget* List() const { return Control<QTreeWidget>("ListView1"); }

    // "Find Files..." with the dialog answering the folder.
    void Search(const QString& folder) {
        dialogs.answer = folder;
        Click("Image2");
    }
    void Process() { Click("Image3"); }
    // A click on a column header.
    void ClickHeader(int column) {
        QHeaderView* header = List()->header();
        const QPoint at(header->sectionViewportPosition(column) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    // The texts of one column, row by row.
    QStringList Column(int column) const {
        QStringList texts;
        for (int r = 0; r < List()->topLevelItemCount(); ++r)
            texts << List()->topLevelItem(r)->text(column);
        return texts;
    }
    // The entries of FoundPaths in use; the test fails when any entry after them is not empty.
    QStringList FoundPaths() const {
        const int rows = List()->topLevelItemCount();
        for (int r = rows; r < organizer::MaxFoundFiles; ++r)
            EXPECT_TRUE(form->FoundPaths[size_t(r)].isEmpty()) << "entry " << r;
        return QStringList(form->FoundPaths.begin(), form->FoundPaths.begin() + rows);
    }
    void SelectRows(std::initializer_list<int> rows) {
        for (const int r : rows)
            List()->topLevelItem(r)->setSelected(true);
    }

    // An empty file, with the folders leading to it; answers its path.
    QString Touch(const QString& relative) const {
        const QString path = folder.Path(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        return path;
    }
    // A real MP3 file with the tags the JSON describes (tagfiles::MakeMp3).
    QString Mp3(const QString& relative, const QJsonObject& tags = {}) const {
        QDir().mkpath(QFileInfo(folder.Path(relative)).absolutePath());
        return tagfiles::MakeMp3(folder, relative, tags);
    }

    // Answers the next command dialog: `fill` sets its controls and reads it, then it is
    // accepted (or cancelled when `accept` is false).
    void AnswerDialog(std::function<void(organizer::TagCommandDialog&)> fill, bool accept = true) {
        auto* timer = new QTimer(form.get());
        QObject::connect(timer, &QTimer::timeout, form.get(), [timer, fill, accept] {
            auto* dialog =
                qobject_cast<organizer::TagCommandDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            timer->deleteLater();
            timer->stop();
            fill(*dialog);
            auto* button = testsupport::FindControl<QPushButton>(dialog, accept ? "AcceptButton"
                                                                                : "CancelButton");
            EXPECT_TRUE(button->isEnabled());
            if (button->isEnabled())
                button->click();
            else
                dialog->reject();
        });
        timer->start(5);
    }

    testsupport::TempFolder folder;
    testsupport::MessageCapture messages;
    std::unique_ptr<organizer::TForm2> form;
    testsupport::DialogAnswers dialogs;
    // Yes to every question (an undo asks first); what was asked is kept.
    QuestionAnswers questions;
};
