#pragma once

#include "tagaccess/ID3.h"

// The organizer's unit: its own ID3 instance, created before any window exists.
namespace organizer {

// Finds the library-error formats built (or builds them) and creates the unit's ID3.
void InitializeListFiles();

// The unit's ID3 instance; it lives until the process ends.
tagaccess::ID3* ListFilesId3();

} // namespace organizer
