#pragma once

#include <QString>

// What "Help" shows: the user guide and the About text.
namespace editor {

// The user guide (docs/guide.md, built into the program) as Markdown.
QString GuideMarkdown();

// The program's name and version and the libraries it uses with their licences, as Markdown.
QString AboutMarkdown();

} // namespace editor
