#pragma once

#include "NameFields.h"
#include "NamePattern.h"

#include <QString>
#include <optional>

namespace naming {

// Reads the pattern against a file's path: its name without the extension, and as many of its
// folders as the pattern has levels above the name. Answers the fields found, blanks trimmed
// (the others stay empty), or nothing when the name does not fit the pattern. %track% and %year%
// match digits only.
std::optional<NameFields> FieldsFromPath(const NamePattern& pattern, const QString& path);

} // namespace naming
