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
    uint32_t length = 0;  // bytes, header included; 0 for a free-format frame of unknown length
    uint32_t bitrate = 0; // kbit/s
    uint32_t sampleRate = 0;
    uint32_t samples = 0;    // per frame
    int versionTimesTen = 0; // 10, 20 or 25 for MPEG-1, 2 and 2.5
    int layer = 0;
    int channelMode = 0; // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    // Version, layer and sample rate bits: every frame of a stream has the same.
    uint16_t streamBits = 0;
    // A free-format frame's bitrate is not in its header: an encoder chose one outside the table,
    // and only the distance to the next frame tells the length.
    bool freeFormat = false;
};

// The frame header in four bytes; nothing for bytes that are no valid header. `freeLength` is
// the length of a free-format stream's frames without padding, when known.
std::optional<FrameHeader> ParseFrameHeader(const std::array<unsigned char, 4>& bytes,
                                            uint32_t freeLength = 0);

// The length without padding of the free-format frames that start at `offset` with `header`:
// the distance to the next two frames of the same stream, found by their sync. Nothing when they
// are not there.
std::optional<uint32_t> FreeFormatLength(const FileDescriptor& file, off_t offset,
                                         const std::array<unsigned char, 4>& header);

// True when MPEG audio frames follow the file's ID3v2 tag (or its start, without one). Reads a few
// bytes for an MP3; a file that is none is searched to its end. False for a file that starts with
// the rewrite marker.
bool HoldsMpegAudio(const FileDescriptor& file);

// Where the first of those frames starts; nothing when there are none.
std::optional<off_t> FirstAudioFrame(const FileDescriptor& file);

} // namespace kivuna::tags
