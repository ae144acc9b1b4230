// Figures for the editor window: the time from the process's start to the shown editor, done as
// Kivuna's own start-up does it, and the time to open a file through "..." and show its fields.
// Printed, never asserted.
#include "BenchFile.h"
#include "app/KivunaApplication.h"
#include "app/StartUp.h"
#include "editor/TForm1.h"
#include "organizer/TForm2.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

// Seconds since this process started, from the kernel's record of its start (clock ticks).
double SecondsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // Field 22, counted after the command name's closing parenthesis (field 2).
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double started = fields.value(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9 - started;
}

void WaitUntilExposed(QWidget& window) {
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app::KivunaApplication application(argc, argv);
    app::InitializeUnits();
    editor::TForm1 editor;
    organizer::TForm2 organizer;
    app::ConnectWindows(editor, organizer);
    editor.show();
    WaitUntilExposed(editor);
    const double startUp = SecondsSinceProcessStart();

    QTemporaryDir work;
    const std::vector<QString> files = {work.filePath(QStringLiteral("a.mp3")),
                                        work.filePath(QStringLiteral("b.mp3"))};
    bench::WriteTypicalMp3(files[0].toStdString(), false);
    bench::WriteTypicalMp3(files[1].toStdString(), true);
    platform::SetMessageHandler(
        [](const QString& text) { std::printf("message: %s\n", qPrintable(text)); });
    // Median and maximum of 40 opens, alternating between the two files.
    const auto timeOpens = [&] {
        std::vector<double> opens;
        for (int i = 0; i < 40; ++i) {
            const QString& path = files[size_t(i % 2)];
            platform::SetFileDialogHandler(
                [&path](const platform::FileDialogRequest&) { return path; });
            QElapsedTimer timer;
            timer.start();
            editor.SpeedButton1Click();
            // Until the window has drawn the new fields.
            QCoreApplication::processEvents();
            opens.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(opens.begin(), opens.end());
        return opens;
    };
    const std::vector<double> opens = timeOpens();
    // The ID3v2 tag shown also reads its 30 KB picture; the file facts are read for both.
    editor.RadioButton2Click();
    const std::vector<double> opensV2 = timeOpens();

    std::printf("platform                    %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("start-up to a shown editor  %.3f s  (goal 0.5 s; clock ticks of 10 ms)\n",
                startUp);
    std::printf("open and show a file        %.1f ms median, %.1f ms max of %zu  (goal 20 ms)\n",
                opens[opens.size() / 2], opens.back(), opens.size());
    std::printf("  the same showing ID3v2    %.1f ms median, %.1f ms max of %zu  (goal 20 ms)\n",
                opensV2[opensV2.size() / 2], opensV2.back(), opensV2.size());
    return 0;
}
