#pragma once

// Opening an MP3 with TagLib for its tags only.
#include <memory>
#include <taglib/mpegfile.h>

namespace kivuna::tags {

// The file opened by TagLib, without the audio-properties scan; null when the name is not a regular
// file, cannot be read, or holds no MPEG audio after its ID3v2 tag.
std::unique_ptr<TagLib::MPEG::File> OpenMpegFile(const char* name);

// The file's bytes [offset, offset+size), fewer at its end.
TagLib::ByteVector ReadBytes(TagLib::MPEG::File& file, long offset, unsigned long size);

} // namespace kivuna::tags
