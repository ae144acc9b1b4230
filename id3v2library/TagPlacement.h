#pragma once

// Putting rendered tag bytes into an MP3 without touching its audio bytes.
#include <string_view>

#include "FileDescriptor.h"

namespace kivuna::tags {

// Replaces the file's first `oldSize` bytes (its ID3v2 tag, or nothing) with `tag`. Same size: in
// place. Otherwise the whole new file is written beside the original, synced, given the original's
// owner and permissions and renamed over it, so an interruption never leaves half an MP3.
bool ReplaceFileFront(const FileDescriptor& file, const char* name, off_t oldSize,
                      std::string_view tag);

// Writes bytes at `offset` (an ID3v1 record over the old one or at the end) and syncs.
bool WriteFileTail(const FileDescriptor& file, off_t offset, std::string_view bytes);

// Cuts the file to `size` bytes (removes the ID3v1 record) and syncs.
bool CutFileTail(const FileDescriptor& file, off_t size);

} // namespace kivuna::tags
