#pragma once

#include <QString>
#include <array>
#include <vector>

namespace tagaccess {

// The field texts exchanged between the tag operations and the windows. A value type: a read
// hands the caller a new array that it cannot leak.
using TagFields = std::vector<QString>;

enum TagField : int {
    kTitle = 0,
    kArtist = 1,
    kAlbum = 2,
    kYear = 3,
    kGenre = 4,
    kTrack = 5,
    kComment = 6,
    kPicture = 7, // only in the array given to the ID3v2 write
};

// Entries a read returns and the ID3v1 write takes; the ID3v2 write takes one more (the picture).
inline constexpr int kTagFieldCount = 7;

// Each field's name, as the windows and the shell show it.
inline constexpr std::array<const char*, kTagFieldCount> kFieldNames = {
    "Title", "Artist", "Album", "Year", "Genre", "Track", "Comment"};
inline constexpr int kTagFieldCountWithPicture = 8;

// Which of the seven fields a write sets; the others keep what the tag holds, frame and bytes.
using FieldMask = std::array<bool, kTagFieldCount>;
inline constexpr FieldMask kAllFields = {true, true, true, true, true, true, true};

inline TagFields EmptyTagFields(int count = kTagFieldCount) {
    return TagFields(static_cast<size_t>(count));
}

} // namespace tagaccess
