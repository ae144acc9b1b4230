#include "BenchCorpus.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>

#include <cstdio>
#include <unistd.h>

namespace benchsupport {

bool WriteCorpus(const QString& folder, int count, const QStringList& options) {
    const QString script = QStringLiteral(KIVUNA_SOURCE_DIR "/tests/tools/make_mp3_corpus.py");
    return QProcess::execute(
               QStringLiteral("/usr/bin/python3"),
               QStringList{script, folder, QStringLiteral("--count"), QString::number(count)} +
                   options) == 0;
}

bool WriteSyncedCorpus(const QString& folder, int count) {
    std::printf("writing %d corpus files...\n", count);
    std::fflush(stdout);
    const bool written =
        WriteCorpus(folder, count, {QStringLiteral("--seed"), QStringLiteral("1")});
    if (!written)
        std::fprintf(stderr, "could not write the corpus\n");
    ::sync();
    return written;
}

QStringList Mp3Files(const QString& folder) {
    QStringList files;
    QDirIterator it(folder,
                    {QStringLiteral("*.mp3"), QStringLiteral("*.MP3"), QStringLiteral("*.Mp3")},
                    QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace benchsupport
