#pragma once

// What the tag-info window shows of an MP3 besides its tag texts: the audio properties of its
// first frames and where its tags lie. Read anew from the file on each request.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kivuna::tags {

struct FileInfo {
    int32_t lengthMs = 0;
    // Kilobits per second; the average of a VBR file.
    int32_t bitrate = 0;
    int32_t sampleRate = 0;
    int32_t channels = 0;
    // 1 for a file with a Xing or VBRI header, or without one but frames of several bitrates.
    int32_t vbr = 0;
    // MPEG version times ten (10, 20, 25) and layer (1-3).
    int32_t mpegVersion = 0;
    int32_t layer = 0;
    // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel.
    int32_t channelMode = 0;
    // The ID3v2 tag at the front: major version (0 without one), complete size and padding bytes.
    int32_t id3v2Version = 0;
    int32_t id3v2Size = 0;
    int32_t id3v2Padding = 0;
    int32_t id3v1 = 0;

    // The value by its interface name ("length", "bitrate", ...), or nothing for an unknown name.
    std::optional<int32_t> Get(std::string_view name) const;
};

// Nothing for a file that is not a readable MP3.
std::optional<FileInfo> ReadFileInfo(const char* name);

} // namespace kivuna::tags
