#include "MpegAudio.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Id3v2RawTag.h"
#include "RewriteMarker.h"

namespace kivuna::tags {
namespace {

// Kilobits per second by [MPEG-1?][layer 1-3][index 1-14].
constexpr uint16_t kBitrates[2][3][14] = {
    {{32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
    {{32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}}};
// Hertz by [version bits: 2.5, reserved, 2, 1][index 0-2].
constexpr uint32_t kSampleRates[4][3] = {
    {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

using Header = std::array<unsigned char, 4>;

} // namespace

std::optional<FrameHeader> ParseFrameHeader(const Header& h, uint32_t freeLength) {
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int version = (h[1] >> 3) & 3;
    const int layer = 4 - ((h[1] >> 1) & 3); // 1, 2 or 3; 4 is reserved
    const int bitrateIndex = h[2] >> 4;
    const int rateIndex = (h[2] >> 2) & 3;
    if (version == 1 || layer == 4 || bitrateIndex == 15 || rateIndex == 3)
        return std::nullopt;
    const bool mpeg1 = version == 3;
    FrameHeader header;
    header.sampleRate = kSampleRates[version][rateIndex];
    header.versionTimesTen = mpeg1 ? 10 : version == 2 ? 20 : 25;
    header.layer = layer;
    header.channelMode = h[3] >> 6;
    header.streamBits = static_cast<uint16_t>(((h[1] & 0xFE) << 8) | (h[2] & 0x0C));
    header.samples = layer == 1 ? 384 : layer == 3 && !mpeg1 ? 576 : 1152;
    const uint32_t padding = (h[2] >> 1) & 1;
    const uint32_t slot = layer == 1 ? 4 : 1;
    if (bitrateIndex == 0) {
        header.freeFormat = true;
        if (freeLength != 0) {
            header.length = freeLength + padding * slot;
            const uint64_t bytesPerFrame = header.samples / 8;
            header.bitrate = static_cast<uint32_t>(
                (uint64_t{freeLength} * header.sampleRate + bytesPerFrame * 500) /
                (bytesPerFrame * 1000));
        }
        return header;
    }
    header.bitrate = kBitrates[mpeg1][layer - 1][bitrateIndex - 1];
    const uint32_t bitrate = header.bitrate * 1000u;
    if (layer == 1)
        header.length = (12 * bitrate / header.sampleRate + padding) * 4;
    else
        header.length = header.samples / 8 * bitrate / header.sampleRate + padding;
    return header;
}

std::optional<uint32_t> FreeFormatLength(const FileDescriptor& file, off_t offset,
                                         const Header& header) {
    // The longest free-format frame: 640 kbit/s in 576 samples at 8 kHz is 5,760 bytes. A frame
    // holds at least its header and side information.
    constexpr uint32_t kLongest = 6144;
    constexpr uint32_t kShortest = 21;
    const auto first = ParseFrameHeader(header);
    if (!first || !first->freeFormat)
        return std::nullopt;
    std::vector<unsigned char> bytes(
        static_cast<size_t>(std::clamp<off_t>(file.Size() - offset, 0, 2 * (kLongest + 4) + 4)));
    if (bytes.empty() || !file.ReadAt(offset, bytes.data(), bytes.size()))
        return std::nullopt;
    const auto sameStream = [&](size_t at) {
        return at + 4 <= bytes.size() && bytes[at] == 0xFF && bytes[at + 1] == header[1] &&
               (bytes[at + 2] & 0xFC) == (header[2] & 0xFC);
    };
    // Layer I pads by a slot of four bytes, the others by one.
    const uint32_t slot = ((header[1] >> 1) & 3) == 3 ? 4 : 1;
    const auto paddingAt = [&](size_t at) { return ((bytes[at + 2] >> 1) & 1u) * slot; };
    for (size_t next = kShortest; next <= kLongest && next < bytes.size(); ++next) {
        if (!sameStream(next))
            continue;
        const uint32_t length = static_cast<uint32_t>(next) - paddingAt(0);
        if (sameStream(next + length + paddingAt(next)))
            return length;
    }
    return std::nullopt;
}

namespace {

// The bytes already read from the file: `bytes` from `offset` on.
struct Chunk {
    off_t offset;
    std::span<const unsigned char> bytes;
};

// The four bytes at `at`, from the chunk when it holds them (the usual case: frames are short),
// else from the file.
bool HeaderAt(const FileDescriptor& file, const Chunk& chunk, off_t at, Header& header) {
    if (at >= chunk.offset && at + 4 <= chunk.offset + static_cast<off_t>(chunk.bytes.size())) {
        std::copy_n(chunk.bytes.begin() + (at - chunk.offset), header.size(), header.begin());
        return true;
    }
    return file.ReadAt(at, header.data(), header.size());
}

// A frame at `offset` whose successor has the same version, layer and sample rate.
bool FramesAt(const FileDescriptor& file, const Chunk& chunk, off_t offset) {
    Header first{};
    Header next{};
    if (!HeaderAt(file, chunk, offset, first))
        return false;
    const auto header = ParseFrameHeader(first);
    if (header && header->freeFormat)
        return FreeFormatLength(file, offset, first).has_value();
    return header && HeaderAt(file, chunk, offset + header->length, next) && next[0] == 0xFF &&
           (next[1] & 0xFE) == (first[1] & 0xFE) && (next[2] & 0x0C) == (first[2] & 0x0C);
}

// Where the audio may start: behind an ID3v2 tag at the front, else at the start; nowhere in a file
// that is being rewritten.
off_t AudioSearchStart(const FileDescriptor& file) {
    std::array<char, Id3v2Header::kSize> bytes{};
    if (!file.ReadAt(0, bytes.data(), bytes.size()))
        return 0;
    if (std::string_view(bytes.data(), bytes.size()).starts_with(kRewriteMarker))
        return file.Size();
    const auto header = ParseId3v2Header({bytes.data(), bytes.size()});
    return header ? static_cast<off_t>(header->completeSize) : 0;
}

} // namespace

bool HoldsMpegAudio(const FileDescriptor& file) {
    return FirstAudioFrame(file).has_value();
}

std::optional<off_t> FirstAudioFrame(const FileDescriptor& file) {
    constexpr size_t kChunk = 16 * 1024;
    std::vector<unsigned char> buffer(kChunk + 1);
    for (off_t offset = AudioSearchStart(file); offset < file.Size(); offset += kChunk) {
        // One byte more than a chunk, so a sync split between two chunks is seen.
        const size_t n = static_cast<size_t>(
            std::min<off_t>(static_cast<off_t>(buffer.size()), file.Size() - offset));
        if (!file.ReadAt(offset, buffer.data(), n))
            return false;
        for (size_t i = 0; i + 1 < n; ++i) {
            if (buffer[i] == 0xFF && buffer[i + 1] != 0xFF && (buffer[i + 1] & 0xE0) == 0xE0 &&
                FramesAt(file, {offset, {buffer.data(), n}}, offset + static_cast<off_t>(i)))
                return offset + static_cast<off_t>(i);
        }
    }
    return std::nullopt;
}

} // namespace kivuna::tags
