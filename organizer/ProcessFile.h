#pragma once

#include "FoundFiles.h"
#include "tagaccess/ID3.h"

#include <QString>
#include <optional>

namespace organizer {

// Where both tags hold text, the processing keeps the ID3v2 text.
inline constexpr int8_t kPreferV2 = 2;

// The processing of one file: both tags synchronised, then the chosen tag read back as the file's
// row. Nothing when the file could not be synchronised; failures are not shown, the run goes on.
std::optional<TagRow> ProcessFile(tagaccess::ID3& id3, const QString& path, bool useId3v1);

} // namespace organizer
