#pragma once

#include <QString>

namespace cli {

// The help of one command ("show", "set", "copy", "sync"), or the overview for any other name.
QString HelpText(const QString& command);

// --version: the tool's version, and the tag library's with the TagLib it was built with.
QString VersionText();

// The line that follows a usage error on standard error.
QString UsageHint();

} // namespace cli
