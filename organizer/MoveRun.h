#pragma once

#include "batch/FileMove.h"
#include "batch/MovePlan.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace organizer {

class TForm2;

struct MoveRunResult {
    // Per file of the plan: what happened ("moved", "failed: ..."), empty when the run stopped
    // before it.
    QStringList results;
    std::vector<QString> newPaths;
    int moved = 0;
    int skipped = 0;
    int failed = 0;
    bool stopped = false;
    // Set when the journal could not be written: the run made no change after that.
    QString journalError;
};

// Moves (or copies) the files of the plan in the organizer window's progress panel, one journal
// record before each move; conflicts are skipped. The window's list follows the moved files.
MoveRunResult RunMoves(TForm2& form, const std::vector<batch::PlannedMove>& plan,
                       batch::MoveMode mode, const QString& command);

struct UndoResult {
    // Files moved back or copies removed.
    int restored = 0;
    QStringList failures;
    bool stopped = false;
    // The files moved back, as pairs of the path they had and the path they have again.
    std::vector<std::pair<QString, QString>> moves;
};

// Undoes a move journal, newest move first, in the progress panel; the list follows the files
// back. The journal is marked undone when every move went back.
UndoResult UndoMoves(TForm2& form, const QString& journalPath);

// The summary of an undo for the user: "Undone: 12 file(s)." and what failed.
QString UndoSummary(const UndoResult& result);

} // namespace organizer
