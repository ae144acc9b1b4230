#include "Id3v1Record.h"

#include "Id3v1Text.h"
#include "textrepair/TextRepair.h"

namespace kivuna::tags {
namespace {

struct Area {
    size_t offset;
    size_t width;
};

constexpr Area kTextAreas[] = {{3, 30}, {33, 30}, {63, 30}, {93, 4}, {97, 30}};
constexpr size_t kCommentWithTrack = 28;
constexpr size_t kZeroBeforeTrack = 125;
constexpr size_t kTrackByte = 126;
constexpr size_t kGenreByte = 127;

size_t Index(Id3v1Field field) {
    return static_cast<size_t>(field);
}

bool IsText(Id3v1Field field) {
    return Index(field) < std::size(kTextAreas);
}

} // namespace

bool Id3v1Record::Parse(std::string_view bytes, Id3v1Record& record) {
    if (bytes.size() != kSize || bytes.substr(0, 3) != "TAG")
        return false;
    // v1.1: a zero byte before a non-zero last comment byte makes that byte the track.
    const bool hasTrack = bytes[kZeroBeforeTrack] == '\0' && bytes[kTrackByte] != '\0';
    record.track_ = hasTrack ? static_cast<uint8_t>(bytes[kTrackByte]) : 0;
    record.genre_ = static_cast<uint8_t>(bytes[kGenreByte]);
    for (size_t i = 0; i < record.texts_.size(); ++i) {
        const Area area = kTextAreas[i];
        const bool comment = i == Index(Id3v1Field::Comment);
        record.texts_[i] =
            bytes.substr(area.offset, comment && hasTrack ? kCommentWithTrack : area.width);
    }
    return true;
}

std::string Id3v1Record::Render() const {
    std::string bytes(kSize, '\0');
    bytes.replace(0, 3, "TAG");
    for (size_t i = 0; i < texts_.size(); ++i) {
        const std::string_view text = Stored(static_cast<Id3v1Field>(i));
        bytes.replace(kTextAreas[i].offset, text.size(), text);
    }
    if (track_ != 0) {
        bytes[kZeroBeforeTrack] = '\0';
        bytes[kTrackByte] = static_cast<char>(track_);
    }
    bytes[kGenreByte] = static_cast<char>(genre_);
    return bytes;
}

std::string_view Id3v1Record::Stored(Id3v1Field field) const {
    const std::string_view text = texts_[Index(field)];
    return field == Id3v1Field::Comment && track_ != 0 ? text.substr(0, kCommentWithTrack) : text;
}

bool Id3v1Record::StoresAs(Id3v1Field field, const std::string& utf8) const {
    if (!IsText(field))
        return false;
    // The whole width: a comment cut short by a track byte takes its 30 bytes once the track goes.
    return textrepair::TrimmedField(Stored(field)) ==
           textrepair::TrimmedField(EncodeId3v1Text(utf8, kTextAreas[Index(field)].width));
}

std::string Id3v1Record::Text(Id3v1Field field) const {
    return IsText(field) ? DecodeId3v1Text(Stored(field)) : std::string();
}

void Id3v1Record::SetText(Id3v1Field field, const std::string& utf8) {
    if (IsText(field))
        texts_[Index(field)] = EncodeId3v1Text(utf8, kTextAreas[Index(field)].width);
}

void Id3v1Record::CopyField(Id3v1Field field, const Id3v1Record& from) {
    if (field == Id3v1Field::Genre)
        genre_ = from.genre_;
    else if (field == Id3v1Field::Track)
        track_ = from.track_;
    else
        texts_[Index(field)] = from.texts_[Index(field)];
}

bool Id3v1Record::HoldsNothing() const {
    for (size_t i = 0; i < texts_.size(); ++i) {
        if (!Text(static_cast<Id3v1Field>(i)).empty())
            return false;
    }
    return genre_ == 0xFF && track_ == 0;
}

} // namespace kivuna::tags
