#pragma once

#include "BatchReport.h"
#include "CommandLine.h"
#include "TagTexts.h"
#include "tagjobs/TagsRun.h"

#include <QString>

namespace cli {

// Prints the plan's changes to a file under its path on standard output; nothing when none.
void PrintPlan(const QString& path, const TagPair& now, const TagPair& planned, TagChoice tags);

// The dry run of a tag-changing run: every file's planned changes printed, nothing written.
void PrintPlans(tagaccess::ID3& id3, const tagjobs::FileSet& files, BatchReport& report,
                const tagjobs::FilePlanner& planner, TagChoice tags);

// Writes UTF-8 text to standard output.
void PrintOut(const QString& text);

} // namespace cli
