#pragma once

// The ID3v2 tag at the front of a file, read from its raw bytes rather than through TagLib: where
// it ends, and whether TagLib 1.13 would read all of it.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kivuna::tags {

struct Id3v2Header {
    static constexpr size_t kSize = 10;
    int majorVersion = 0;
    uint8_t flags = 0;
    // Header, frames, padding and footer.
    uint32_t completeSize = 0;
};

// The header in the first ten bytes of a file, when they start an ID3v2 tag.
std::optional<Id3v2Header> ParseId3v2Header(std::string_view bytes);

// True when TagLib 1.13 would lose frames of this tag (header included): a frame with an invalid
// ID, a zero size or a size running past the tag before the frames end, a tag cut short by the end
// of the file, or an extended header (1.13 reads no frame or drops the last ones behind one).
bool IsDamagedId3v2Tag(std::string_view tag);

} // namespace kivuna::tags
