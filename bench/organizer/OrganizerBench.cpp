// Figures for the organizer window over a generated tree of 10,000 MP3 files: the search, two
// processing runs, peak memory, selection and removal, and the same processing done by mutagen.
// Printed, never asserted.
#include "BenchClock.h"
#include "BenchCorpus.h"
#include "app/KivunaApplication.h"
#include "app/StartUp.h"
#include "organizer/ListFiles.h"
#include "organizer/TForm2.h"
#include "platform/FileDialogs.h"
#include "platform/Loader.h"
#include "platform/MessageBox.h"
#include "platform/OneCpu.h"
#include "tagjobs/ProcessFile.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kDefaultFiles = 10000;

using bench::Seconds;

long PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

QByteArray Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(-1);
    if (process.exitCode() != 0)
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

// Hears nothing: a run without a front end.
class Unheard final : public tagjobs::RunObserver {
  public:
    void RunBegins(const QString&, int) override {}
    void FileBegins(const QString&) override {}
    void FileEnds(const QString&, const tagjobs::FileOutcome&) override {}
    bool ShouldStop() override { return false; }
    void RunEnds() override {}
    QString FrontEnd() const override { return QStringLiteral("bench"); }
};

// The core's processing run with the list's reads, without the window: what the run costs apart
// from drawing. On one CPU like the window's run, so the two compare. Without the list's reads, it
// is the shell's sync in this process.
double CoreOnly(const QString& folder, bool listRead = true) {
    const QStringList found = benchsupport::Mp3Files(folder);
    const std::vector<QString> paths(found.begin(), found.end());
    tagaccess::ID3& id3 = *organizer::ListFilesId3();
    const platform::OneCpu pinned;
    Unheard unheard;
    const tagjobs::SyncHeard listed = [&](const QString& path, bool synced,
                                          const tagjobs::FileTagsBefore* read) {
        if (synced && !read)
            tagjobs::ReadRow(id3, path, false);
    };
    return Seconds([&] {
        tagjobs::SyncRun(id3, tagjobs::FileSet::Listed(paths), unheard, tagjobs::kPreferV2,
                         tagjobs::SyncFailures::Counted, listRead ? listed : nullptr);
    });
}

// The floor of the design: every file costs two operations (the sync and the read for the list),
// each of which loads and unloads a library; here an empty one, in this process with its window.
double Floor(int files, bool oneCpu) {
    std::unique_ptr<platform::OneCpu> pinned;
    if (oneCpu)
        pinned = std::make_unique<platform::OneCpu>();
    return Seconds([&] {
        for (int i = 0; i < 2 * files; ++i)
            platform::FreeLibrary(platform::LoadLibraryA(KIVUNA_EMPTY_LIBRARY));
    });
}

// A compile-like job on the other core for the whole benchmark, as on a busy desktop: a compiler
// parsing a large header over and over.
std::unique_ptr<QProcess> StartBusyCore() {
    auto busy = std::make_unique<QProcess>();
    busy->start(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("while :; do echo '#include <regex>' | "
                                              "c++ -std=c++20 -O2 -fsyntax-only -x c++ -; done")});
    busy->waitForStarted();
    return busy;
}

} // namespace

int main(int argc, char** argv) {
    // Offscreen unless a platform is asked for (under Xvfb, for example).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app::KivunaApplication application(argc, argv);
    app::InitializeUnits();

    // An optional number of files (a smaller tree for profiling), and "busy" for a compile-like
    // job on the other core.
    int kFiles = kDefaultFiles;
    bool busyDesktop = false;
    for (int a = 1; a < argc; ++a) {
        if (QByteArray(argv[a]) == "busy")
            busyDesktop = true;
        else
            kFiles = QString::fromLocal8Bit(argv[a]).toInt();
    }
    QTemporaryDir work;
    // The runs' undo journals go with the trees, not to the user's data folder.
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("data")).toUtf8());
    const QString corpus = work.filePath(QStringLiteral("corpus"));
    const QString copy = work.filePath(QStringLiteral("copy"));
    benchsupport::WriteSyncedCorpus(corpus, kFiles);
    Run(QStringLiteral("/bin/cp"), {QStringLiteral("-a"), corpus, copy});
    const QString bare = work.filePath(QStringLiteral("bare"));
    Run(QStringLiteral("/bin/cp"), {QStringLiteral("-a"), corpus, bare});
    const QString shell = work.filePath(QStringLiteral("shell"));
    Run(QStringLiteral("/bin/cp"), {QStringLiteral("-a"), corpus, shell});
    const QString unlisted = work.filePath(QStringLiteral("unlisted"));
    Run(QStringLiteral("/bin/cp"), {QStringLiteral("-a"), corpus, unlisted});
    // The copies too are flushed before any timing.
    ::sync();

    platform::SetFileDialogHandler(
        [&corpus](const platform::FileDialogRequest&) { return corpus; });
    platform::SetMessageHandler(
        [](const QString& text) { std::printf("message: %s\n", qPrintable(text)); });
    organizer::TForm2 form;
    form.show();
    QCoreApplication::processEvents();
    auto* list = form.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    const std::unique_ptr<QProcess> busy = busyDesktop ? StartBusyCore() : nullptr;

    const double search = Seconds([&] { form.Image2Click(); });
    const int found = list->topLevelItemCount();
    std::printf("processing...\n");
    std::fflush(stdout);
    const double first = Seconds([&] { form.Image3Click(); });
    const int resolved = form.ResolvedCount;
    const double second = Seconds([&] { form.Image3Click(); });

    // Selection and removal over a fresh search view of all the files.
    form.Image2Click();
    const auto menu = [&form](const char* name) {
        form.findChild<QMenu*>(QStringLiteral("PopupMenu1"))
            ->findChild<QAction*>(QString::fromLatin1(name))
            ->trigger();
    };
    const double selectAll = Seconds([&] { menu("SelectAll1"); });
    const double deselectAll = Seconds([&] { menu("Des1"); });
    // Every other row: the hardest selection to remove, one run per row.
    QItemSelection alternate;
    for (int r = 0; r < list->topLevelItemCount(); r += 2)
        alternate.select(list->model()->index(r, 0), list->model()->index(r, 1));
    const double selectHalf =
        Seconds([&] { list->selectionModel()->select(alternate, QItemSelectionModel::Select); });
    const double remove = Seconds([&] { menu("DeletefromList1"); });
    const int left = list->topLevelItemCount();

    const double bareFirst = CoreOnly(bare);
    const double bareSecond = CoreOnly(bare);
    const double unlistedFirst = CoreOnly(unlisted, false);
    const auto cli = [&shell] {
        return Seconds([&] { Run(QStringLiteral(KIVUNA_CLI), {"sync", "-q", shell}); });
    };
    const double shellFirst = cli();
    const double shellSecond = cli();
    const double floorSpread = Floor(found, false);
    const double floor = Floor(found, true);

    QElapsedTimer timer;
    timer.start();
    const QByteArray mutagenOut =
        Run(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(KIVUNA_SOURCE_DIR "/bench/organizer/mutagen_sync.py"), copy});
    const double mutagen = double(timer.nsecsElapsed()) / 1e9;

    if (busy) {
        busy->kill();
        busy->waitForFinished();
    }
    std::printf("platform                    %s%s\n", qPrintable(QGuiApplication::platformName()),
                busyDesktop ? ", compile-like job on the other core" : "");
    std::printf("files found                 %d\n", found);
    std::printf("search (walk, list, sort)   %.3f s\n", search);
    std::printf("first processing run        %.3f s  (%.0f files/s, %d resolved)\n", first,
                found / first, resolved);
    std::printf("second processing run       %.3f s  (%.0f files/s)\n", second, found / second);
    std::printf(
        "mutagen read-merge-write    %.3f s  (%.0f files/s; synchronised, left alone: %s)\n",
        mutagen, found / mutagen, mutagenOut.trimmed().constData());
    std::printf("same core run without window %.3f s first, %.3f s second\n", bareFirst,
                bareSecond);
    std::printf("kivuna-cli sync             %.3f s first, %.3f s second\n", shellFirst,
                shellSecond);
    // The list's reads are what the window's run does beyond the shell's sync.
    const double listRead = bareFirst - unlistedFirst;
    std::printf("list read in the first run  %.3f s  (core run without it %.3f s)\n", listRead,
                unlistedFirst);
    std::printf("window / kivuna-cli sync    %.2f first, %.2f second\n", first / shellFirst,
                second / shellSecond);
    std::printf("window / (sync + list read) %.2f first  (goal 1.1)\n",
                first / (shellFirst + listRead));
    std::printf("floor: 2 empty load cycles  %.3f s per run on one CPU, %.3f s across CPUs\n",
                floor, floorSpread);
    std::printf("first run / mutagen         %.2f  (goal 1.2)\n", first / mutagen);
    std::printf("second run / mutagen        %.2f  (goal 0.9)\n", second / mutagen);
    std::printf("second run above the floor  %.3f s  (%.0f us per file)\n", second - floor,
                (second - floor) * 1e6 / std::max(found, 1));
    std::printf("select all                  %.3f s\n", selectAll);
    std::printf("deselect all                %.3f s\n", deselectAll);
    std::printf("select every other row      %.3f s\n", selectHalf);
    std::printf("remove every other row      %.3f s  (%d rows left)\n", remove, left);
    std::printf("peak memory                 %ld MB\n", PeakMegabytes());
    return 0;
}
