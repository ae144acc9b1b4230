#pragma once

// Putting rendered tag bytes into an MP3 without touching its audio bytes.
#include <string_view>

#include "SaveLock.h"

namespace kivuna::tags {

// In-place writes are not synced: they move no audio byte, so an interruption can cost at most the
// tag being written, which a sync would not make whole either; the system writes them back.

// Replaces the locked file's first `oldSize` bytes (its ID3v2 tag, or nothing) with `tag`, so that
// the file stays what it was apart from its tag: same names, owner, permissions and attributes.
// An interruption leaves the old or the new file whole (see the .cpp for how).
bool ReplaceFileFront(SaveLock& lock, off_t oldSize, std::string_view tag);

// Writes bytes at `offset` (an ID3v1 record over the old one or at the end).
bool WriteFileTail(const FileDescriptor& file, off_t offset, std::string_view bytes);

// Cuts the file to `size` bytes (removes the ID3v1 record).
bool CutFileTail(const FileDescriptor& file, off_t size);

} // namespace kivuna::tags
