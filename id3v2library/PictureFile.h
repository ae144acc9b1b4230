#pragma once

// Reading a cover picture for the APIC frame.
#include <cstdint>
#include <optional>

#include "Id3v2Changes.h"

namespace kivuna::tags {

// The picture file's bytes and MIME type. Kinds 1-4 are JPEG, PNG, BMP and GIF; any other kind
// is told from the content ("image/unknown" when it looks like none of them). Nothing for a file
// that is unreadable, empty, not regular or larger than 16 MiB.
std::optional<Id3v2Picture> ReadPictureFile(const char* name, int32_t kind);

} // namespace kivuna::tags
