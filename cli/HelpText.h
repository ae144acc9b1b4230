#pragma once

#include <QString>

namespace cli {

// The help of one command ("show", "set", "copy", "sync"), or the overview for any other name.
QString HelpText(const QString& command);

// The line that follows a usage error on standard error.
QString UsageHint();

} // namespace cli
