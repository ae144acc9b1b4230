#pragma once

#include "NameFolding.h"
#include "naming/NameFields.h"
#include "naming/NamePattern.h"
#include "naming/SafeName.h"

#include <QString>
#include <vector>

namespace batch {

// What the preview says a file will go through.
enum class MoveState {
    WillMove,
    Unchanged,
    // The target exists, or several files go to one target: the file is skipped.
    Conflict,
    // A field the pattern names is empty; the file moves under the stand-in name.
    Incomplete,
};

// A listed file and its fields from the tag chosen in the list.
struct MoveSource {
    QString path;
    naming::NameFields fields;
};

struct PlannedMove {
    QString from;
    QString to;
    MoveState state = MoveState::WillMove;
};

// A tag's seven texts as the fields a pattern names.
naming::NameFields FieldsOfTag(const std::vector<QString>& tag);

// Where the pattern puts every file: under `destination`, or in the file's own folder when
// `destination` is empty (a rename). Targets that exist on disk, or that several files share as
// the destination's file system compares names (probed once per folder), are conflicts.
std::vector<PlannedMove> PlanMoves(const std::vector<MoveSource>& sources,
                                   const naming::NamePattern& pattern, const QString& destination,
                                   naming::NameRules rules = naming::NameRules::Portable);

// PlanMoves with the way the destination compares names given.
std::vector<PlannedMove> PlanMoves(const std::vector<MoveSource>& sources,
                                   const naming::NamePattern& pattern, const QString& destination,
                                   naming::NameRules rules, const NameFolding& folding);

// "will move", "unchanged", "conflict", "incomplete".
QString StateText(MoveState state);

// Whether the file goes somewhere when the plan runs.
inline bool Moves(MoveState state) {
    return state == MoveState::WillMove || state == MoveState::Incomplete;
}

} // namespace batch
