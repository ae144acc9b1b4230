// Figures for "Organize Files..." over a generated tree of 10,000 MP3 files: the preview as the
// dialog opens and as the pattern changes, the organize run (moves on one file system) and its
// undo. Printed, never asserted.
#include "BenchClock.h"
#include "BenchCorpus.h"
#include "app/KivunaApplication.h"
#include "app/StartUp.h"
#include "organizer/MoveDialog.h"
#include "organizer/TForm2.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/Questions.h"

#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

constexpr int kDefaultFiles = 10000;

using bench::Seconds;

int FilesUnder(const QString& folder) {
    int count = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

int FoldersUnder(const QString& folder) {
    int count = 0;
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

int StateCount(const QTreeWidget* preview, const QString& state) {
    int count = 0;
    for (int r = 0; r < preview->topLevelItemCount(); ++r)
        count += preview->topLevelItem(r)->text(2) == state ? 1 : 0;
    return count;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;
    // The run's journal goes to a data folder of the benchmark's own.
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("data")).toUtf8());
    app::KivunaApplication application(argc, argv);
    app::InitializeUnits();
    // An optional number of files, and "shots FOLDER" to save pictures of the dialog as it
    // previews, after the run and after the undo.
    int files = kDefaultFiles;
    QString shots;
    for (int a = 1; a < argc; ++a) {
        if (QByteArray(argv[a]) == "shots" && a + 1 < argc)
            shots = QString::fromLocal8Bit(argv[++a]);
        else
            files = QString::fromLocal8Bit(argv[a]).toInt();
    }
    const auto shoot = [&shots](QWidget* window, const char* name) {
        if (shots.isEmpty())
            return;
        QCoreApplication::processEvents();
        window->grab().save(QDir(shots).filePath(QString::fromLatin1(name) + ".png"));
    };

    const QString corpus = work.filePath(QStringLiteral("corpus"));
    const QString destination = work.filePath(QStringLiteral("organized"));
    benchsupport::WriteSyncedCorpus(corpus, files);

    platform::SetFileDialogHandler(
        [&corpus](const platform::FileDialogRequest&) { return corpus; });
    platform::SetMessageHandler(
        [](const QString& text) { std::printf("message: %s\n", qPrintable(text)); });
    // Every undo asks first: the user says yes.
    platform::SetYesNoHandler([](const QString&) { return true; });
    organizer::TForm2 form;
    form.show();
    QCoreApplication::processEvents();
    form.Image2Click();
    std::printf("processing...\n");
    std::fflush(stdout);
    form.Image3Click();
    QDir().mkpath(destination);

    const int before = FilesUnder(corpus);
    int listed = 0;
    organizer::MoveDialog* dialog = nullptr;
    const double open = Seconds([&] {
        form.Image4Click();
        dialog = form.findChild<organizer::MoveDialog*>();
    });
    if (!dialog) {
        std::fprintf(stderr, "the dialog did not open\n");
        return 1;
    }
    auto* preview = dialog->findChild<QTreeWidget*>(QStringLiteral("Preview"));
    auto* pattern = dialog->findChild<QLineEdit*>(QStringLiteral("Pattern"));
    // Into the destination, then a second pattern: each change previews all files again.
    dialog->findChild<QLineEdit*>(QStringLiteral("Destination"))->setText(destination);
    pattern->setText(QStringLiteral("%artist%/%year% - %album%/%track:2% %title%"));
    // What the pause after typing ends in.
    const double repreview = Seconds([&] { dialog->Preview(); });
    shoot(dialog, "organize-preview");
    listed = preview->topLevelItemCount();
    const int willMove = StateCount(preview, QStringLiteral("will move")) +
                         StateCount(preview, QStringLiteral("incomplete"));
    const int conflicts = StateCount(preview, QStringLiteral("conflict"));

    auto* run = dialog->findChild<QPushButton*>(QStringLiteral("Run"));
    const double organize = Seconds([&] { run->click(); });
    const int moved = StateCount(preview, QStringLiteral("moved"));
    const int there = FilesUnder(destination);
    const int folders = FoldersUnder(destination);
    shoot(dialog, "organize-done");
    shoot(&form, "organizer-after-organize");
    const double undo =
        Seconds([&] { dialog->findChild<QPushButton*>(QStringLiteral("Undo"))->click(); });
    const int back = FilesUnder(corpus);
    shoot(dialog, "organize-undone");
    std::printf("after undo: %s; %d files left in the destination\n",
                qPrintable(dialog->findChild<QLabel*>(QStringLiteral("Summary"))->text()),
                FilesUnder(destination));

    if (!shots.isEmpty()) {
        // The list's other two naming dialogs, on a selection of the list.
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* list = form.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        for (int r = 0; r < 12; ++r)
            list->topLevelItem(r)->setSelected(true);
        form.Renamefiles1Click();
        auto* rename = form.findChild<organizer::MoveDialog*>();
        shoot(rename, "rename-preview");
        rename->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form.agsfromfilenames1Click();
        auto* tags = form.findChild<QDialog*>(QStringLiteral("TagsFromNamesDialog"));
        tags->findChild<QLineEdit*>(QStringLiteral("Pattern"))
            ->setText(QStringLiteral("%track% %artist% - %title%"));
        QElapsedTimer wait;
        wait.start();
        while (wait.elapsed() < 400)
            QCoreApplication::processEvents();
        shoot(tags, "tags-preview");
        tags->findChild<QPushButton*>(QStringLiteral("Run"))->click();
        shoot(tags, "tags-written");
        tags->findChild<QPushButton*>(QStringLiteral("Undo"))->click();
        shoot(tags, "tags-undone");
    }
    std::printf("files listed:             %d\n", listed);
    std::printf("preview as the dialog opens: %.3f s (target <= 1 s)\n", open);
    std::printf("preview after a change:   %.3f s (target <= 1 s)\n", repreview);
    std::printf("  will move %d, conflicts %d\n", willMove, conflicts);
    std::printf(
        "organize (moves):         %.3f s for %d files, %d in the destination (target <= 3 s)\n",
        organize, moved, there);
    // Each folder the run made is removed again by the undo; on a file system mounted with online
    // discard every removal waits for the device.
    std::printf("folders made by the run:  %d\n", folders);
    std::printf("undo:                     %.3f s, %d files in the corpus folder again of %d "
                "(target <= 3 s)\n",
                undo, back, before);
    return 0;
}
