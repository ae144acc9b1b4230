#pragma once

#include "naming/NameFields.h"

#include <QString>
#include <optional>

// Tag fields read from a file's name by a naming pattern, for "Get from filename".
namespace editor {

// The fields `patternText` finds in the file's name (and folders, when the pattern has levels);
// nothing, with the reason in `error`, when the pattern is not valid or the name does not fit.
std::optional<naming::NameFields> FieldsFromFileName(const QString& patternText,
                                                     const QString& path, QString& error);

// Whether the pattern names the field (0-6, in tag field order).
bool PatternNames(const QString& patternText, int field);

} // namespace editor
