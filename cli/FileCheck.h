#pragma once

#include <QString>

namespace cli {

// Why the path cannot be worked on as a file (it names nothing, a folder, something that is no
// regular file, or a file that cannot be read); empty when it can. The tag library reads a file
// it cannot open as one without tags, so this is asked first.
QString UnusableReason(const QString& path);

} // namespace cli
