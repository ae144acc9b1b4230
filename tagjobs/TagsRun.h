#pragma once

#include "FileSet.h"
#include "FileTagChange.h"

#include <QString>
#include <functional>
#include <vector>

namespace tagjobs {

// Works out what the run does to one file (`index` as RunEach counts it).
using FilePlanner = std::function<FilePlan(tagaccess::ID3& id3, const QString& path, int index)>;

// Carries one file's plan out (CarryOut, unless a run needs more of it).
using FileCarrier =
    std::function<FileOutcome(tagaccess::ID3& id3, const QString& path, const FilePlan& plan,
                              std::optional<tagaccess::TagRegions>& left)>;

struct TagsRunResult {
    RunCount count;
    int written = 0;
    int unchanged = 0;
    int failed = 0;
    // For a listed set, per file: "written", "unchanged" or why not; empty when not taken.
    std::vector<QString> results;
    // The files whose tags were written (a window redraws their rows).
    std::vector<QString> touched;
    // Why the journal could not be opened or written; no file was changed after that.
    QString journalError;
};

// Every tag-changing run: each file's plan, its old tags in the journal of `command` before its
// change, then the change. A file whose fields all stay is not touched, and a run that changed
// nothing leaves no journal.
TagsRunResult RunTagChanges(tagaccess::ID3& id3, const FileSet& files, RunObserver& observer,
                            const QString& command, const FilePlanner& planner,
                            const QString& caption = QStringLiteral("Writing tags..."),
                            const FileCarrier& carrier = {});

// The fields of a multiple edit, a clear, a removal or a transliteration of the chosen versions,
// as planners for RunTagChanges (the file's place in the run numbers an auto-numbered track).
FilePlanner ChangePlanner(ChosenTags versions, FieldsChange change);
FilePlanner ClearPlanner(ChosenTags versions);
FilePlanner RemovalPlanner(ChosenTags versions);
// See PlanConversion.
FilePlanner ConversionPlanner(int version);
// See PlanPictures.
FilePlanner PicturesPlanner(int removedType, const QString& addedPicture);

} // namespace tagjobs
