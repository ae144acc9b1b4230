#pragma once

namespace organizer {

// The tag versions a list command works on.
enum class ChosenTags { Id3v1 = 1, Id3v2 = 2, Both = 3 };

// Whether the choice includes tag version 1 or 2.
inline bool Includes(ChosenTags versions, int version) {
    return (static_cast<int>(versions) & version) != 0;
}

} // namespace organizer
