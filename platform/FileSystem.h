#pragma once

#include <QString>

namespace platform {

// The file-existence test: true for a regular file (or a link to one), false for folders,
// devices, pipes and names that do not exist.
bool FileExists(const QString& path);

} // namespace platform
