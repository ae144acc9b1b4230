// kivuna-cli sync over a generated tree: a first and a second run against mutagen doing the same
// processing on a copy of the tree in the same run; with "memory", the tool's peak memory over
// 1,000, 10,000 and 100,000 files, which stays flat because the walk keeps no list.
//
//   bench_cli [FILES] [memory]
#include "BenchCorpus.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// The generator writes at most this many files per tree.
constexpr int kFilesPerTree = 20000;

struct Measured {
    double seconds = 0;
    long peakMegabytes = 0;
    int exitCode = -1;
};

// Runs the program with its output thrown away and measures that one process.
Measured RunMeasured(const QString& program, const QStringList& args) {
    std::vector<std::string> strings{program.toStdString()};
    for (const QString& arg : args)
        strings.push_back(arg.toStdString());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    Measured measured;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        measured.seconds = double(timer.nsecsElapsed()) / 1e9;
        measured.peakMegabytes = usage.ru_maxrss / 1024;
        measured.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return measured;
}

// `count` corpus files under `root`, in trees of at most kFilesPerTree with seeds of their own.
bool WriteTrees(const QString& root, int count) {
    for (int tree = 0; tree * kFilesPerTree < count; ++tree) {
        const int files = std::min(kFilesPerTree, count - tree * kFilesPerTree);
        if (!benchsupport::WriteCorpus(root + QStringLiteral("/tree%1").arg(tree), files,
                                       {QStringLiteral("--seed"), QString::number(tree + 1)}))
            return false;
    }
    return true;
}

void SpeedAgainstMutagen(const QString& scratch, int files) {
    const QString tree = scratch + QStringLiteral("/cli");
    const QString copy = scratch + QStringLiteral("/mutagen");
    std::printf("writing %d corpus files...\n", files);
    std::fflush(stdout);
    if (!WriteTrees(tree, files) ||
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), tree, copy}) != 0) {
        std::fprintf(stderr, "could not write the corpus\n");
        return;
    }
    const QString cli = QStringLiteral(KIVUNA_CLI);
    const Measured dry =
        RunMeasured(cli, {QStringLiteral("sync"), QStringLiteral("--dry-run"), tree});
    const Measured first = RunMeasured(cli, {QStringLiteral("sync"), tree});
    const Measured second = RunMeasured(cli, {QStringLiteral("sync"), tree});
    const Measured mutagen =
        RunMeasured(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral(KIVUNA_SOURCE_DIR "/bench/organizer/mutagen_sync.py"), copy});
    std::printf("files                        %d\n", files);
    std::printf("sync --dry-run               %.3f s  (%.0f files/s)\n", dry.seconds,
                files / dry.seconds);
    std::printf("first sync                   %.3f s  (%.0f files/s, exit code %d)\n",
                first.seconds, files / first.seconds, first.exitCode);
    std::printf("second sync                  %.3f s  (%.0f files/s)\n", second.seconds,
                files / second.seconds);
    std::printf("mutagen read-merge-write     %.3f s  (%.0f files/s)\n", mutagen.seconds,
                files / mutagen.seconds);
    std::printf("first sync / mutagen         %.2f  (the organizer's goal: 1.2)\n",
                first.seconds / mutagen.seconds);
    std::printf("second sync / mutagen        %.2f  (the organizer's goal: 0.9)\n",
                second.seconds / mutagen.seconds);
    std::printf("peak memory of a sync        %ld MB\n", first.peakMegabytes);
}

// Grows one tree and syncs it at each size: the peak memory of the tool should not grow with it.
void MemoryAsFilesGrow(const QString& scratch) {
    const QString root = scratch + QStringLiteral("/grow");
    int written = 0;
    for (const int files : {1000, 10000, 100000}) {
        std::printf("writing up to %d corpus files...\n", files);
        std::fflush(stdout);
        for (; written < files; written += std::min(kFilesPerTree, files - written)) {
            const int count = std::min(kFilesPerTree, files - written);
            if (!benchsupport::WriteCorpus(
                    root + QStringLiteral("/part%1").arg(written), count,
                    {QStringLiteral("--seed"), QString::number(written + 1)})) {
                std::fprintf(stderr, "could not write the corpus\n");
                return;
            }
        }
        const Measured sync =
            RunMeasured(QStringLiteral(KIVUNA_CLI), {QStringLiteral("sync"), root});
        std::printf("sync of %6d files          %.3f s, peak memory %ld MB\n", files, sync.seconds,
                    sync.peakMegabytes);
    }
}

} // namespace

int main(int argc, char** argv) {
    int files = 10000;
    bool memory = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "memory")
            memory = true;
        else
            files = std::max(1, std::atoi(argv[i]));
    }
    const QTemporaryDir scratch;
    if (memory)
        MemoryAsFilesGrow(scratch.path());
    else
        SpeedAgainstMutagen(scratch.path(), files);
    return 0;
}
