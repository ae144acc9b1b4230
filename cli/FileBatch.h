#pragma once

#include "BatchReport.h"
#include "CommandLine.h"
#include "TagTexts.h"
#include "tagjobs/TagsRun.h"

#include <QString>

namespace cli {

// Prints the plan's changes to a file under its path on standard output; nothing when none.
void PrintPlan(const QString& path, const TagPair& now, const TagPair& planned, TagChoice tags);

// One line per field a repair of garbled texts changes, under the file's path.
void PrintRepairs(const QString& path, const std::vector<tagjobs::FieldRepair>& repairs);

// The files named, and with --recursive the MP3 files below the folders named.
tagjobs::FileSet FilesOf(const Options& options);

// A tag-changing run of the core under the journal command, or with --dry-run every file's
// planned changes printed and nothing written; answers the exit code.
int RunTagCommand(tagaccess::ID3& id3, const tagjobs::FileSet& files, const QString& command,
                  const tagjobs::FilePlanner& planner, const Options& options);
// The same, told to a report the caller keeps for what it says after the run.
int RunTagCommand(tagaccess::ID3& id3, const tagjobs::FileSet& files, const QString& command,
                  const tagjobs::FilePlanner& planner, const Options& options, BatchReport& report);

// Writes UTF-8 text to standard output.
void PrintOut(const QString& text);
// Flushes standard output; false, with a line on standard error, when any of it could not be
// written.
bool OutputWritten();

} // namespace cli
