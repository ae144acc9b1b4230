#pragma once

#include "batch/MovePlan.h"
#include "batch/TagsFromNameFile.h"
#include "naming/NamePattern.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace organizer {

class TForm2;

using batch::kTagsFromNamesCommand;
using batch::TagVersions;

// What the pattern reads from one file's name: the fields it names, or nothing when the name
// does not fit the pattern.
struct NameReading {
    QString path;
    std::optional<naming::NameFields> fields;
};

std::vector<NameReading> ReadNames(const std::vector<batch::MoveSource>& files,
                                   const naming::NamePattern& pattern);

struct TagsRunResult {
    // Per file: "written", "failed: ...", "does not fit the pattern"; empty when not taken.
    QStringList results;
    int written = 0;
    int failed = 0;
    bool stopped = false;
    QString journalError;
};

// Writes the fields read from the names into the chosen tags, one file at a time in the
// organizer's progress panel; fields the pattern does not name keep their texts. Each file's old
// texts go to the journal before its write.
TagsRunResult WriteTagsFromNames(TForm2& form, const std::vector<NameReading>& readings,
                                 const naming::NamePattern& pattern, TagVersions versions);

struct TagsUndoResult {
    int restored = 0;
    QStringList failures;
    bool stopped = false;
};

// Writes the old texts of a journal back, newest first; marks it undone when all went back.
TagsUndoResult UndoTagsFromNames(TForm2& form, const QString& journalPath);

} // namespace organizer
