#pragma once

#include "tagaccess/ID3.h"

// The editor's unit: what it builds before any window exists, and its own ID3 instance.
namespace editor {

// Builds the library-error formats (unless built already), the genre table and the unit's ID3.
void InitializeUnit1();

// The unit's ID3 instance; null once the editor window has closed.
tagaccess::ID3* Unit1Id3();

// Releases the unit's ID3 instance (the editor window's close does this, once).
void ReleaseUnit1Id3();

} // namespace editor
