#include "FrameScan.h"

#include <algorithm>
#include <vector>

#include "MpegAudio.h"

namespace kivuna::tags {

int32_t FrameRun::LengthMs() const {
    return sampleRate == 0 ? 0 : static_cast<int32_t>(samples * 1000 / sampleRate);
}

int32_t FrameRun::AverageBitrate() const {
    const int32_t ms = LengthMs();
    // Bits per millisecond are kilobits per second.
    return ms == 0 ? 0 : static_cast<int32_t>((bytes * 8 + static_cast<uint64_t>(ms) / 2) / ms);
}

FrameRun ScanFrames(const FileDescriptor& file, off_t first, off_t end, uint32_t maxFrames) {
    // Headers are read from large chunks: one read a few hundred frames, not one a frame.
    constexpr off_t kChunk = 256 * 1024;
    std::vector<unsigned char> chunk;
    off_t chunkStart = 0;
    FrameRun run;
    uint16_t stream = 0;
    uint32_t freeLength = 0;
    for (off_t at = first; at + 4 <= end && run.frames < maxFrames;) {
        if (at < chunkStart || at + 4 > chunkStart + static_cast<off_t>(chunk.size())) {
            chunkStart = at;
            chunk.resize(static_cast<size_t>(std::min(kChunk, end - at)));
            if (!file.ReadAt(at, chunk.data(), chunk.size()))
                break;
        }
        std::array<unsigned char, 4> bytes{};
        std::copy_n(chunk.begin() + (at - chunkStart), 4, bytes.begin());
        if (run.frames == 0)
            freeLength = FreeFormatLength(file, at, bytes).value_or(0);
        const auto header = ParseFrameHeader(bytes, freeLength);
        if (!header || header->length == 0 || (run.frames > 0 && header->streamBits != stream) ||
            at + header->length > end)
            break;
        if (run.frames == 0) {
            stream = header->streamBits;
            run.firstBitrate = header->bitrate;
            run.sampleRate = header->sampleRate;
        } else if (run.frames == 1) {
            run.secondChannelMode = header->channelMode;
            run.secondBitrate = header->bitrate;
        }
        if (run.frames >= 2 && header->bitrate != run.secondBitrate)
            run.laterBitratesDiffer = true;
        ++run.frames;
        run.bytes += header->length;
        run.samples += header->samples;
        at += header->length;
    }
    return run;
}

} // namespace kivuna::tags
