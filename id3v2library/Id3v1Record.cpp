#include "Id3v1Record.h"

#include <algorithm>

#include "Id3v1Text.h"

namespace kivuna::tags {
namespace {

struct Area {
    size_t offset;
    size_t width;
};

constexpr size_t kCommentOffset = 97;
constexpr size_t kCommentWidth = 30;
constexpr size_t kZeroBeforeTrack = 125;
constexpr size_t kTrackByte = 126;

constexpr Area AreaOf(Id3v1Field field) {
    switch (field) {
    case Id3v1Field::Title:
        return {3, 30};
    case Id3v1Field::Artist:
        return {33, 30};
    case Id3v1Field::Album:
        return {63, 30};
    case Id3v1Field::Year:
        return {93, 4};
    case Id3v1Field::Comment:
        return {kCommentOffset, kCommentWidth};
    case Id3v1Field::Genre:
        return {127, 1};
    case Id3v1Field::Track:
        return {kTrackByte, 1};
    }
    return {0, 0};
}

} // namespace

Id3v1Record::Id3v1Record() {
    bytes_[0] = 'T';
    bytes_[1] = 'A';
    bytes_[2] = 'G';
    bytes_[127] = static_cast<char>(0xFF);
}

bool Id3v1Record::Parse(std::string_view bytes, Id3v1Record& record) {
    if (bytes.size() != kSize || bytes.substr(0, 3) != "TAG")
        return false;
    std::copy(bytes.begin(), bytes.end(), record.bytes_.begin());
    return true;
}

uint8_t Id3v1Record::Track() const {
    // v1.1: a zero byte before a non-zero last comment byte marks that byte as the track.
    return bytes_[kZeroBeforeTrack] == '\0' ? static_cast<uint8_t>(bytes_[kTrackByte]) : 0;
}

void Id3v1Record::SetTrack(uint8_t track) {
    if (track != 0) {
        bytes_[kZeroBeforeTrack] = '\0';
        bytes_[kTrackByte] = static_cast<char>(track);
    } else if (Track() != 0) {
        bytes_[kTrackByte] = '\0';
    }
}

size_t Id3v1Record::CommentWidth() const {
    return Track() != 0 ? kZeroBeforeTrack - kCommentOffset : kCommentWidth;
}

std::string_view Id3v1Record::Area(Id3v1Field field) const {
    const auto area = AreaOf(field);
    const size_t width = field == Id3v1Field::Comment ? CommentWidth() : area.width;
    return {bytes_.data() + area.offset, width};
}

std::string Id3v1Record::Text(Id3v1Field field) const {
    return DecodeId3v1Text(Area(field));
}

void Id3v1Record::SetText(Id3v1Field field, const std::string& utf8) {
    const size_t width = field == Id3v1Field::Comment ? CommentWidth() : AreaOf(field).width;
    const std::string encoded = EncodeId3v1Text(utf8, width);
    char* start = bytes_.data() + AreaOf(field).offset;
    std::fill(start, start + width, '\0');
    std::copy(encoded.begin(), encoded.end(), start);
}

void Id3v1Record::CopyField(Id3v1Field field, const Id3v1Record& from) {
    switch (field) {
    case Id3v1Field::Genre:
        SetGenre(from.Genre());
        return;
    case Id3v1Field::Track:
        SetTrack(from.Track());
        return;
    default:
        break;
    }
    const std::string_view source = from.Area(field);
    const size_t width = field == Id3v1Field::Comment ? CommentWidth() : source.size();
    char* start = bytes_.data() + AreaOf(field).offset;
    std::fill(start, start + width, '\0');
    std::copy_n(source.begin(), std::min(width, source.size()), start);
}

bool Id3v1Record::HoldsNothing() const {
    for (const auto field : {Id3v1Field::Title, Id3v1Field::Artist, Id3v1Field::Album,
                             Id3v1Field::Year, Id3v1Field::Comment}) {
        if (!Text(field).empty())
            return false;
    }
    return Genre() == 0xFF && Track() == 0;
}

} // namespace kivuna::tags
