#pragma once

// A file's two tag regions as raw bytes: the ID3v2 tag at its front (header, frames, padding and
// footer) and the 128-byte ID3v1 record at its end. Kept before a change, they give the tags back
// byte for byte, every frame and picture included.
#include <optional>
#include <string>
#include <string_view>

#include "FileDescriptor.h"
#include "SaveLock.h"

namespace kivuna::tags {

struct TagRegions {
    // Empty for a tag the file does not hold.
    std::string id3v2;
    std::string id3v1;
};

// The ID3v2 tag at the front of the file; empty without one, nothing when it runs past the end.
std::optional<std::string> ReadId3v2Region(const FileDescriptor& file);

// The last 128 bytes of the file when they are an ID3v1 record; empty otherwise.
std::string ReadId3v1Region(const FileDescriptor& file);

// Both regions of an MP3; nothing for a file that holds no MPEG audio or cannot be read.
std::optional<TagRegions> ReadTagRegions(const char* fileName, bool* unfinished = nullptr);

// False for bytes that cannot be a file's tag regions: an ID3v2 region whose header does not give
// its own size, an ID3v1 region that is not one record.
bool AreTagRegions(std::string_view id3v2, std::string_view id3v1);

// Puts both regions into the locked MP3 in place of the ones it holds, audio untouched: the ID3v1
// record first (written in place), then the front, as a save writes it. A region the file already
// holds is not written again.
bool PutTagRegions(SaveLock& lock, std::string_view id3v2, std::string_view id3v1);

} // namespace kivuna::tags
