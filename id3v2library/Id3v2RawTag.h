#pragma once

// The ID3v2 tag at the front of a file, read from its raw bytes rather than through TagLib: where
// it ends, and whether TagLib 1.13 would read all of it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kivuna::tags {

struct Id3v2Header {
    static constexpr size_t kSize = 10;
    int majorVersion = 0;
    uint8_t flags = 0;
    // Header, frames, padding and footer.
    uint32_t completeSize = 0;

    bool HasExtendedHeader() const { return (flags & 0x40) != 0; }
};

// The header in the first ten bytes of a file, when they start an ID3v2 tag.
std::optional<Id3v2Header> ParseId3v2Header(std::string_view bytes);

// True when frames of this tag (header included) would be lost: a frame with an invalid ID, a zero
// size or a size running past the tag before the frames end, a tag cut short by the end of the
// file, or a malformed extended header.
bool IsDamagedId3v2Tag(std::string_view tag);

// The zero bytes between the last frame and the end of the tag (footer aside); 0 for a damaged tag.
uint32_t Id3v2PaddingSize(std::string_view tag);

// The tag as TagLib 1.13 reads it whole: without its extended header, which 1.13 misreads (behind a
// v2.3 one it finds no frame, as it counts that header's size the v2.4 way, and behind a v2.4 one
// it drops the last frames). The frames stay byte for byte, whole-tag unsynchronisation (v2.3) is
// undone, and padding takes the place of what was removed, so the tag keeps its size and a save
// that fits writes in place, without the extended header (its CRC and restrictions would no longer
// hold). Nothing when the tag has no extended header or a malformed one.
std::optional<std::string> WithoutExtendedHeader(std::string_view tag);

} // namespace kivuna::tags
