#pragma once

// Names of the ID3v1 genre byte.
#include <cstdint>
#include <string>

namespace kivuna::tags {

// 0-144: Kivuna's own table; 145-191: the common extended names; 192-255: empty.
std::string Id3v1GenreName(uint8_t genreByte);

} // namespace kivuna::tags
