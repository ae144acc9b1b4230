#pragma once

// Telling an MP3 from other files by its audio: a valid MPEG audio frame header followed by a
// second one that agrees with it, somewhere after the ID3v2 tag.
#include "FileDescriptor.h"

namespace kivuna::tags {

// True when MPEG audio frames follow the file's ID3v2 tag (or its start, without one). Reads a few
// bytes for an MP3; a file that is none is searched to its end. False for a file that starts with
// the rewrite marker.
bool HoldsMpegAudio(const FileDescriptor& file);

} // namespace kivuna::tags
