#pragma once

// Opening an MP3 with TagLib for its tags only.
#include <memory>
#include <taglib/mpegfile.h>

#include "FileDescriptor.h"

namespace kivuna::tags {

// The file opened by TagLib, without the audio-properties scan; null when the name is not a regular
// file, cannot be read, or holds no MPEG audio after its ID3v2 tag. A tag with an extended header
// is read from memory without it (see WithoutExtendedHeader), so only its ID3v2 tag is to be used.
std::unique_ptr<TagLib::MPEG::File> OpenMpegFile(const char* name);

// The same over a file already open by that name and known to hold MPEG audio.
std::unique_ptr<TagLib::MPEG::File> OpenMpegFile(const FileDescriptor& mp3, const char* name);

} // namespace kivuna::tags
