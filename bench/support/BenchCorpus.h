#pragma once

#include <QString>
#include <QStringList>

// Real MP3 trees for the benchmarks, written by the project's corpus generator.
namespace benchsupport {

// Writes `count` corpus files into `folder` (extra generator options may follow); false when the
// generator failed.
bool WriteCorpus(const QString& folder, int count, const QStringList& options = {});

// Says so on standard output, writes `count` corpus files of seed 1 into `folder` and flushes
// them to disk, so that the first fsync of a timed run does not pay for writing the whole tree.
// False, said on standard error, when the generator failed.
bool WriteSyncedCorpus(const QString& folder, int count);

// Every MP3 file below `folder`, hidden ones and any case of the extension included, sorted.
QStringList Mp3Files(const QString& folder);

} // namespace benchsupport
