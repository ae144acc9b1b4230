#pragma once

#include "BatchReport.h"
#include "CommandLine.h"
#include "TagTexts.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace cli {

using FileWork = std::function<void(const QString& path)>;

// Runs the work on every path given as a file, in order; a path that cannot be worked on as a
// file fails with its reason and the batch goes on.
void ForEachFile(const QStringList& paths, BatchReport& report, const FileWork& work);

// As ForEachFile, but a folder is walked, with every folder below it, for files named "*.mp3"
// in any letter case; each file is worked on as it is met, so nothing grows with their number.
void ForEachFileOrFolder(const QStringList& paths, BatchReport& report, const FileWork& work);

// As ForEachFileOrFolder, for the commands that move files or name tags after their names: a
// file given by name that is not named "*.mp3" fails instead of being worked on, as a folder's
// other files are passed over (a cover or a playlist has no tags to be named by).
void ForEachMp3(const QStringList& paths, BatchReport& report, const FileWork& work);

// The paths made absolute and clean: a journal names files wherever its undo is run from.
QStringList AbsolutePaths(const QStringList& paths);

// Prints the plan's changes to a file under its path on standard output; nothing when none.
void PrintPlan(const QString& path, const TagPair& now, const TagPair& planned, TagChoice tags);

// Writes UTF-8 text to standard output.
void PrintOut(const QString& text);

} // namespace cli
