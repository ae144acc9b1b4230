#include "Id3v2RawTag.h"

#include <algorithm>
#include <string>

namespace kivuna::tags {
namespace {

constexpr uint8_t kUnsynchronisation = 0x80;
constexpr uint8_t kExtendedHeader = 0x40;
constexpr uint8_t kFooter = 0x10;

uint32_t PlainSize(std::string_view bytes, size_t width) {
    uint32_t size = 0;
    for (size_t i = 0; i < width; ++i)
        size = (size << 8) | static_cast<unsigned char>(bytes[i]);
    return size;
}

// A synchsafe size; like TagLib, one with a high bit set is read as a plain integer.
uint32_t SynchsafeSize(std::string_view bytes) {
    uint32_t size = 0;
    for (size_t i = 0; i < 4; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80)
            return PlainSize(bytes, 4);
        size = (size << 7) | b;
    }
    return size;
}

bool IsFrameId(std::string_view id) {
    return std::all_of(id.begin(), id.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

bool IsPadding(std::string_view rest) {
    return std::all_of(rest.begin(), rest.end(), [](char c) { return c == '\0'; });
}

// Undoes whole-tag unsynchronisation (v2.2 and v2.3): every FF 00 stands for FF.
std::string Resynchronised(std::string_view body) {
    std::string plain;
    plain.reserve(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
        plain += body[i];
        if (static_cast<unsigned char>(body[i]) == 0xFF && i + 1 < body.size() &&
            body[i + 1] == '\0')
            ++i;
    }
    return plain;
}

// Size of the v2.4 frame at `pos`. Like TagLib, a size that is not synchsafe (some writers store
// plain integers) is taken as plain when only that reading lands on the next frame.
uint32_t Id3v24FrameSize(std::string_view frames, size_t pos) {
    const std::string_view field = frames.substr(pos + 4, 4);
    const uint32_t synchsafe = SynchsafeSize(field);
    const auto landsOnFrame = [&](uint64_t size) {
        const uint64_t next = pos + 10 + size;
        return next + 4 <= frames.size() && IsFrameId(frames.substr(next, 4));
    };
    if (synchsafe > 127 && !landsOnFrame(synchsafe)) {
        const uint32_t plain = PlainSize(field, 4);
        if (landsOnFrame(plain))
            return plain;
    }
    return synchsafe;
}

// Where the frames end and the padding begins; nothing when a frame is damaged.
std::optional<size_t> FramesEnd(std::string_view frames, int majorVersion) {
    const size_t headerSize = majorVersion == 2 ? 6 : 10;
    const size_t idSize = majorVersion == 2 ? 3 : 4;
    size_t pos = 0;
    while (pos < frames.size()) {
        if (frames[pos] == '\0')
            return IsPadding(frames.substr(pos)) ? std::optional(pos) : std::nullopt;
        if (frames.size() - pos < headerSize)
            return std::nullopt;
        if (!IsFrameId(frames.substr(pos, idSize)))
            return std::nullopt;
        uint64_t size = 0;
        if (majorVersion == 2)
            size = PlainSize(frames.substr(pos + 3), 3);
        else if (majorVersion == 3)
            size = PlainSize(frames.substr(pos + 4), 4);
        else
            size = Id3v24FrameSize(frames, pos);
        // A v2.4 frame flagged with a data length indicator needs more than those four bytes.
        const bool lengthIndicator =
            majorVersion == 4 && (static_cast<unsigned char>(frames[pos + 9]) & 0x01) != 0;
        if (size <= (lengthIndicator ? 4u : 0u) || size > frames.size() - pos - headerSize)
            return std::nullopt;
        pos += headerSize + size;
    }
    return pos;
}

bool FramesDamaged(std::string_view frames, int majorVersion) {
    return !FramesEnd(frames, majorVersion);
}

// Length of the extended header at the start of `body` (resynchronised), when it is well formed.
// v2.3: a size that counts what follows it (6, or 10 with a CRC), two flag bytes, the padding
// size and the CRC. v2.4: a synchsafe size that counts the whole header, one flag byte count (1),
// the flags, and for each set flag a length byte and its data (update 0, CRC 5, restrictions 1).
std::optional<size_t> ExtendedHeaderSize(std::string_view body, int majorVersion) {
    if (body.size() < 6)
        return std::nullopt;
    if (majorVersion == 3) {
        const uint32_t size = PlainSize(body, 4);
        const bool crc = (static_cast<unsigned char>(body[4]) & 0x80) != 0;
        if (size != (crc ? 10u : 6u) || body.size() < 4 + size)
            return std::nullopt;
        return 4 + size;
    }
    if (majorVersion != 4 || body[4] != '\x01' ||
        std::any_of(body.begin(), body.begin() + 4,
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return std::nullopt;
    const uint32_t size = SynchsafeSize(body);
    const auto flags = static_cast<unsigned char>(body[5]);
    size_t pos = 6;
    for (const auto& [flag, length] :
         {std::pair{0x40, 0}, std::pair{0x20, 5}, std::pair{0x10, 1}}) {
        if ((flags & flag) == 0)
            continue;
        if (pos >= body.size() || static_cast<unsigned char>(body[pos]) != length)
            return std::nullopt;
        pos += 1 + static_cast<size_t>(length);
    }
    if ((flags & 0x8F) != 0 || size != pos || body.size() < size)
        return std::nullopt;
    return size;
}

// Frames and padding, without header, extended header and footer; unsynchronisation of the whole
// tag (before v2.4) undone. Nothing for a malformed extended header.
std::optional<std::string> PlainBody(std::string_view tag, const Id3v2Header& header) {
    const std::string_view body = tag.substr(Id3v2Header::kSize, SynchsafeSize(tag.substr(6)));
    std::string plain = header.majorVersion < 4 && (header.flags & kUnsynchronisation) != 0
                            ? Resynchronised(body)
                            : std::string(body);
    if (!header.HasExtendedHeader())
        return plain;
    const auto extended = ExtendedHeaderSize(plain, header.majorVersion);
    if (!extended)
        return std::nullopt;
    return plain.substr(*extended);
}

} // namespace

std::optional<Id3v2Header> ParseId3v2Header(std::string_view bytes) {
    if (bytes.size() < Id3v2Header::kSize || bytes.substr(0, 3) != "ID3")
        return std::nullopt;
    const auto major = static_cast<unsigned char>(bytes[3]);
    const auto minor = static_cast<unsigned char>(bytes[4]);
    if (major == 0xFF || minor == 0xFF)
        return std::nullopt;
    for (size_t i = 6; i < 10; ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return std::nullopt;
    }
    Id3v2Header header;
    header.majorVersion = major;
    header.flags = static_cast<uint8_t>(bytes[5]);
    header.completeSize =
        static_cast<uint32_t>(Id3v2Header::kSize) + SynchsafeSize(bytes.substr(6));
    if (major >= 4 && (header.flags & kFooter) != 0)
        header.completeSize += Id3v2Header::kSize;
    return header;
}

bool IsDamagedId3v2Tag(std::string_view tag) {
    const auto header = ParseId3v2Header(tag);
    if (!header || tag.size() < header->completeSize)
        return true;
    if (header->majorVersion < 2 || header->majorVersion > 4)
        return true;
    const auto frames = PlainBody(tag, *header);
    return !frames || FramesDamaged(*frames, header->majorVersion);
}

uint32_t Id3v2PaddingSize(std::string_view tag) {
    const auto header = ParseId3v2Header(tag);
    if (!header || tag.size() < header->completeSize || header->majorVersion < 2 ||
        header->majorVersion > 4)
        return 0;
    const auto frames = PlainBody(tag, *header);
    const auto end = frames ? FramesEnd(*frames, header->majorVersion) : std::nullopt;
    return end ? static_cast<uint32_t>(frames->size() - *end) : 0;
}

std::optional<std::string> WithoutExtendedHeader(std::string_view tag) {
    const auto header = ParseId3v2Header(tag);
    if (!header || !header->HasExtendedHeader() || tag.size() < header->completeSize ||
        header->majorVersion < 3 || header->majorVersion > 4)
        return std::nullopt;
    const auto frames = PlainBody(tag, *header);
    if (!frames)
        return std::nullopt;
    const size_t bodySize = SynchsafeSize(tag.substr(6));
    std::string result(tag.substr(0, Id3v2Header::kSize));
    const uint8_t undone = header->majorVersion < 4 ? kUnsynchronisation : 0;
    result[5] = static_cast<char>(header->flags & ~(kExtendedHeader | undone));
    result += *frames;
    result.append(bodySize - frames->size(), '\0');
    result += tag.substr(Id3v2Header::kSize + bodySize,
                         header->completeSize - Id3v2Header::kSize - bodySize);
    return result;
}

} // namespace kivuna::tags
