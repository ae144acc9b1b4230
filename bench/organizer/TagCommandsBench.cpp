// Figures for the list menu's multiple edit: three fields written into every file of a generated
// tree of 10,000 MP3 files, beside a processing run over the same files. Printed, never asserted.
#include "BenchClock.h"
#include "BenchCorpus.h"
#include "app/KivunaApplication.h"
#include "app/StartUp.h"
#include "organizer/TForm2.h"
#include "organizer/TagCommandDialog.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

constexpr int kDefaultFiles = 10000;

using bench::Seconds;

// Fills the multiple edit's dialog as a user would (album, genre, auto-numbered track, both
// tags) and accepts it; answers when it was accepted, so the write alone is timed.
void AnswerMultipleEdit(QElapsedTimer& accepted) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, &accepted] {
        auto* dialog =
            qobject_cast<organizer::TagCommandDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        timer->stop();
        timer->deleteLater();
        dialog->findChild<QRadioButton*>(QStringLiteral("VersionBoth"))->click();
        dialog->findChild<QLineEdit*>(QStringLiteral("EditAlbum"))->setText(QStringLiteral("Best"));
        dialog->findChild<QCheckBox*>(QStringLiteral("ChangeAlbum"))->setChecked(true);
        dialog->findChild<QComboBox*>(QStringLiteral("EditGenre"))
            ->setEditText(QStringLiteral("Jazz"));
        dialog->findChild<QCheckBox*>(QStringLiteral("ChangeGenre"))->setChecked(true);
        dialog->findChild<QCheckBox*>(QStringLiteral("AutoNumber"))->setChecked(true);
        accepted.start();
        dialog->findChild<QPushButton*>(QStringLiteral("AcceptButton"))->click();
    });
    timer->start(5);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app::KivunaApplication application(argc, argv);
    app::InitializeUnits();
    const int files = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : kDefaultFiles;

    QTemporaryDir work;
    const QString corpus = work.filePath(QStringLiteral("corpus"));
    benchsupport::WriteSyncedCorpus(corpus, files);
    platform::SetFileDialogHandler(
        [&corpus](const platform::FileDialogRequest&) { return corpus; });
    platform::SetMessageHandler(
        [](const QString& text) { std::printf("message: %s\n", qPrintable(text)); });

    organizer::TForm2 form;
    form.show();
    QCoreApplication::processEvents();
    form.Image2Click();
    const int found =
        form.findChild<QTreeWidget*>(QStringLiteral("ListView1"))->topLevelItemCount();
    std::printf("processing...\n");
    std::fflush(stdout);
    const double processing = Seconds([&] { form.Image3Click(); });
    // The second run finds the tags synchronised, as the edit finds them.
    const double processingAgain = Seconds([&] { form.Image3Click(); });

    QElapsedTimer accepted;
    AnswerMultipleEdit(accepted);
    form.Multiple1Click();
    const double edit = double(accepted.nsecsElapsed()) / 1e9;

    std::printf("files listed:                         %d\n", found);
    std::printf("processing run (first, writes):       %.2f s\n", processing);
    std::printf("processing run (second):              %.2f s\n", processingAgain);
    std::printf("multiple edit, 3 fields, both tags:   %.2f s  (%.2f ms a file)\n", edit,
                1000.0 * edit / std::max(found, 1));
    std::printf("ratio to the first processing run:    %.2f\n", edit / processing);
    std::printf("ratio to the second processing run:   %.2f\n", edit / processingAgain);
    return 0;
}
