// Prints what the tag operations cost on real files: the median of many calls of each operation
// on a typical file, and files per second for the organizer's per-file work (SyncTags, then
// ReadId3v2) over a corpus of 1,000 files.
#include "BenchCorpus.h"
#include "tagaccess/ID3.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MedianMicroseconds(int runs, const std::function<void(int)>& body) {
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        body(i);
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[size_t(runs / 2)];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir work;
    const QString corpus = work.filePath(QStringLiteral("corpus"));
    if (!benchsupport::WriteCorpus(
            corpus, 1000,
            {QStringLiteral("--flat"), QStringLiteral("--seed"), QStringLiteral("7")})) {
        std::fprintf(stderr, "could not write the corpus\n");
        return 1;
    }
    const QStringList files = benchsupport::Mp3Files(corpus);
    tagaccess::ID3 id3;

    // A typical file: both tags present.
    const QString typical = work.filePath(QStringLiteral("typical.mp3"));
    QFile::copy(files.first(), typical);
    tagaccess::TagFields fields = {
        "Night Drive", "The Lanterns", "First Light", "1998", "Rock", "7", "ripped", ""};
    id3.WriteId3v1(typical, fields, false);
    id3.WriteId3v2(typical, fields, false);

    constexpr int kRuns = 400;
    const auto alternate = [&fields](int i) {
        tagaccess::TagFields changed = fields;
        changed[0] = i % 2 == 0 ? QStringLiteral("Night Drive") : QStringLiteral("Day Drive");
        return changed;
    };
    std::printf("Median cost of one operation on a typical file (%d runs each):\n", kRuns);
    std::printf("  ReadId3v1            %8.1f us\n",
                MedianMicroseconds(kRuns, [&](int) { id3.ReadId3v1(typical, false); }));
    std::printf("  ReadId3v2            %8.1f us\n",
                MedianMicroseconds(kRuns, [&](int) { id3.ReadId3v2(typical, false); }));
    std::printf("  WriteId3v1 (changes) %8.1f us\n", MedianMicroseconds(kRuns, [&](int i) {
                    id3.WriteId3v1(typical, alternate(i), false);
                }));
    std::printf("  WriteId3v2 (changes) %8.1f us\n", MedianMicroseconds(kRuns, [&](int i) {
                    id3.WriteId3v2(typical, alternate(i), false);
                }));
    std::printf("  WriteId3v2 (same)    %8.1f us\n",
                MedianMicroseconds(kRuns, [&](int) { id3.WriteId3v2(typical, fields, false); }));
    std::printf("  SyncTags (in sync)   %8.1f us\n",
                MedianMicroseconds(kRuns, [&](int) { id3.SyncTags(typical, 2, false); }));

    const auto pass = [&](const char* name) {
        int resolved = 0;
        const auto start = Clock::now();
        for (const QString& file : files) {
            if (id3.SyncTags(file, 2, false)) {
                id3.ReadId3v2(file, false);
                ++resolved;
            }
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("  %-22s %5lld files, %4d resolved, %6.3f s, %7.0f files/s\n", name,
                    static_cast<long long>(files.size()), resolved, seconds,
                    double(files.size()) / seconds);
    };
    std::printf("SyncTags then ReadId3v2 over the corpus:\n");
    pass("first pass (writes)");
    pass("second pass (in sync)");
    return 0;
}
