#pragma once

// Opening an MP3 with TagLib for its tags only.
#include <memory>
#include <taglib/mpegfile.h>

#include "FileDescriptor.h"

namespace kivuna::tags {

// TagLib's reading of a file open and known to hold MPEG audio, without the audio-properties scan;
// null when TagLib cannot read it. A tag with an extended header is read from memory without it
// (see WithoutExtendedHeader), so only its ID3v2 tag is to be used. `earlier`, a reading this
// made before and left unchanged, is given back instead of parsing again when it read the very
// bytes the file's front holds now: a reading depends on nothing else.
std::unique_ptr<TagLib::MPEG::File> OpenMpegFile(const FileDescriptor& mp3,
                                                 std::unique_ptr<TagLib::MPEG::File> earlier = {});

// True for a reading OpenMpegFile made from bytes in memory: it may outlive the descriptor.
bool ReadFromMemory(const TagLib::MPEG::File& file);

// TagLib's reading of the open file, audio properties included when asked. It reads through the
// descriptor, never by the name: its reads are served by the bytes the descriptor keeps
// (FileDescriptor::KeepReads), and it cannot write. The descriptor must outlive the result.
std::unique_ptr<TagLib::MPEG::File> ReadMpegFile(const FileDescriptor& file, bool readProperties);

} // namespace kivuna::tags
