#pragma once

#include "FileSet.h"
#include "batch/FileMove.h"
#include "batch/MovePlan.h"
#include "tagaccess/ID3.h"

#include <QString>
#include <utility>
#include <vector>

// Organize and rename: every file to the path a pattern gives it from its tag fields.
namespace tagjobs {

// The files of the set with the fields of the chosen tag; a file whose tag cannot be read fails
// and is left out.
std::vector<batch::MoveSource> ReadMoveSources(tagaccess::ID3& id3, const FileSet& files,
                                               RunObserver& observer, bool fromId3v1);

struct MoveRunResult {
    // Per file of the plan: "moved", "copied", "unchanged", "skipped: conflict" or "failed: ...";
    // empty when the run stopped before it.
    std::vector<QString> results;
    // The files moved (or copied), as pairs of the path they had and the one they have now.
    std::vector<std::pair<QString, QString>> moves;
    int moved = 0;
    int skipped = 0;
    int failed = 0;
    bool stopped = false;
    // Set when the journal could not be written: the run made no change after that.
    QString journalError;
};

// Moves (or copies) the files of the plan, each move's record in the journal of `command` before
// it and its mark after it; conflicts are skipped and told as failures of their files. The
// journal names the run's folders: the sources' and `destination` (empty for a rename). A run
// that moved nothing leaves no journal.
MoveRunResult RunMoves(const std::vector<batch::PlannedMove>& plan, batch::MoveMode mode,
                       const QString& command, const QString& destination, RunObserver& observer);

} // namespace tagjobs
