#pragma once

// Counting an MP3's frames by their headers alone, for the facts a Xing/Info or VBRI header would
// otherwise give: a file without one whose frames differ in bitrate has a length and an average
// only a count can tell.
#include <cstdint>

#include "FileDescriptor.h"

namespace kivuna::tags {

struct FrameRun {
    uint32_t frames = 0;
    uint64_t bytes = 0;
    uint64_t samples = 0;
    uint32_t sampleRate = 0;
    uint32_t firstBitrate = 0;
    // Of the second frame, the first with audio behind a Xing/Info or VBRI header frame; -1 and 0
    // for a file of one frame.
    int secondChannelMode = -1;
    uint32_t secondBitrate = 0;
    // Whether a frame after the second has another bitrate than the second.
    bool laterBitratesDiffer = false;

    int32_t LengthMs() const;
    // Kilobits per second over the frames counted.
    int32_t AverageBitrate() const;
};

// The frames from `first` on that belong to its stream, up to `end` (the start of an ID3v1
// record, or the end of the file) and at most `maxFrames`.
FrameRun ScanFrames(const FileDescriptor& file, off_t first, off_t end, uint32_t maxFrames);

} // namespace kivuna::tags
