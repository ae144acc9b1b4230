#pragma once

#include "RunObserver.h"
#include "journal/JournalReader.h"
#include "tagaccess/ID3.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// Taking back a journaled run of any kind, made in the window or in the shell.
namespace tagjobs {

// A run an undo can take: a run that did not end (the program died during it) comes first;
// otherwise the last run that ended and was not undone.
struct UndoTarget {
    journal::JournalInfo journal;
    bool unfinished = false;

    // One line for a dialog: what the undo would take back.
    QString Describe() const;
    // The question before an undo: "Undo Organize Files of <time>: 12 file(s)? It was made in
    // the shell."
    QString Question() const;
    // One line for a list: the run's kind, when it started, how many files, where it was made.
    QString Summary() const;
};

std::optional<UndoTarget> FindUndoTarget(const QStringList& commands);

// Every run of the commands that can still be undone, in the order undos take them.
std::vector<UndoTarget> UndoableRuns(const QStringList& commands);

// How many files an undo of the journal takes back.
int FilesToUndo(const journal::JournalInfo& journal);

struct UndoResult {
    // Files moved back, copies removed, or tags written back.
    int restored = 0;
    // Files that needed nothing: the run never changed them.
    int passedOver = 0;
    // The files that could not be taken back, with why.
    std::vector<std::pair<QString, QString>> failures;
    bool stopped = false;
    // The files moved back, as pairs of the path they had and the path they have again.
    std::vector<std::pair<QString, QString>> moves;
    // The files whose tags were written back.
    std::vector<QString> touched;
    // Of those, the files whose tags had changed after the run: only their texts went back.
    std::vector<QString> textsOnly;
    // Set when everything went back but the journal could not be marked undone.
    QString markError;
    // Why the journal was refused whole, nothing undone: it is not the user's own, not
    // well-formed, or names paths outside the run's folders.
    QString refusal;
};

// Takes the run back, newest change first. The journal is marked undone when every change went
// back; otherwise it stays on offer for what is left.
UndoResult UndoRun(const UndoTarget& target, tagaccess::ID3& id3, RunObserver& observer);

// The files whose texts alone went back, each on a line after a first one saying why; empty when
// every file got its tags back byte for byte.
QString TextsOnlyNote(const UndoResult& result);

// "Undone: 12 file(s)." and what was left, for the user.
QString UndoSummary(const UndoResult& result);

} // namespace tagjobs
