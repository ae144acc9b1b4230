#pragma once

#include <QString>

// Texts from files (tag texts, names) on a terminal: their control characters (an escape sequence
// in a title, a newline in a name) are shown as \n, \t, \r or \xHH, so they neither drive the
// terminal nor split a line. A pipe or a file gets the text as it is.
namespace cli {

QString EscapedControls(const QString& text);

// The text as standard output shows it: escaped when standard output is a terminal.
QString ForOutput(const QString& text);

} // namespace cli
