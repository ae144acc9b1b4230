#pragma once

#include "TagsRun.h"
#include "batch/MovePlan.h"
#include "naming/NamePattern.h"

#include <optional>
#include <vector>

// "Tags from file names": the fields a pattern reads from each file's name, written into its
// tags; fields the pattern does not name keep their texts.
namespace tagjobs {

// What the pattern reads from one file's name: the fields it names, or nothing when the name
// does not fit the pattern.
struct NameReading {
    QString path;
    std::optional<naming::NameFields> fields;
};

std::vector<NameReading> ReadNames(const std::vector<batch::MoveSource>& files,
                                   const naming::NamePattern& pattern);

// The tag's texts with the fields the pattern names replaced by those read from the name.
tagaccess::TagFields WithNamedFields(tagaccess::TagFields tag, const naming::NameFields& read,
                                     const naming::NamePattern& pattern);

// The planner for RunTagChanges: a file whose name does not fit the pattern is refused.
FilePlanner FromNamesPlanner(const naming::NamePattern& pattern, ChosenTags versions);

} // namespace tagjobs
