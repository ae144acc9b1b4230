#pragma once

// Telling an MP3 from other files by its audio: a valid MPEG audio frame header followed by a
// second one that agrees with it, somewhere after the ID3v2 tag.
#include <array>
#include <cstdint>
#include <optional>

#include "FileDescriptor.h"

namespace kivuna::tags {

// What an MPEG audio frame header says of its frame.
struct FrameHeader {
    uint32_t length = 0;  // bytes, header included
    uint32_t bitrate = 0; // kbit/s
    uint32_t sampleRate = 0;
    uint32_t samples = 0; // per frame
    int channelMode = 0;  // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    // Version, layer and sample rate bits: every frame of a stream has the same.
    uint16_t streamBits = 0;
};

// The frame header in four bytes; nothing for bytes that are no valid header.
std::optional<FrameHeader> ParseFrameHeader(const std::array<unsigned char, 4>& bytes);

// True when MPEG audio frames follow the file's ID3v2 tag (or its start, without one). Reads a few
// bytes for an MP3; a file that is none is searched to its end. False for a file that starts with
// the rewrite marker.
bool HoldsMpegAudio(const FileDescriptor& file);

} // namespace kivuna::tags
