#pragma once

#include "journal/JournalReader.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace batch {

// The journal an undo takes (a dialog's button, the command line): a run that did not end (the
// program died during it) comes first; otherwise the last run that ended and was not undone.
struct UndoTarget {
    journal::JournalInfo journal;
    bool unfinished = false;

    // One line for the dialog: what the undo would take back.
    QString Describe() const;
};

std::optional<UndoTarget> FindUndoTarget(const QStringList& commands);

} // namespace batch
