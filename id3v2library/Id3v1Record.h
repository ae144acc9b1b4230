#pragma once

// The 128-byte ID3v1 record at the end of an MP3, in the v1.1 layout: "TAG", title, artist and
// album of 30 bytes, year of 4, comment of 30 (28 when the track byte is used) and the genre byte.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kivuna::tags {

enum class Id3v1Field { Title, Artist, Album, Year, Comment, Genre, Track };
inline constexpr int kId3v1FieldCount = 7;

class Id3v1Record {
  public:
    static constexpr size_t kSize = 128;

    // "TAG", empty texts, no track, genre 255.
    Id3v1Record();
    // The record from 128 bytes; false when they are no ID3v1 tag.
    static bool Parse(std::string_view bytes, Id3v1Record& record);

    std::string Text(Id3v1Field field) const;
    void SetText(Id3v1Field field, const std::string& utf8);
    uint8_t Genre() const { return static_cast<uint8_t>(bytes_[127]); }
    void SetGenre(uint8_t genre) { bytes_[127] = static_cast<char>(genre); }
    uint8_t Track() const;
    void SetTrack(uint8_t track);

    // Takes one field from another record, as that record stores it.
    void CopyField(Id3v1Field field, const Id3v1Record& from);
    // No text, genre 255, no track: nothing worth a tag.
    bool HoldsNothing() const;

    std::string_view Bytes() const { return {bytes_.data(), bytes_.size()}; }
    bool operator==(const Id3v1Record&) const = default;

  private:
    std::string_view Area(Id3v1Field field) const;
    size_t CommentWidth() const;

    std::array<char, kSize> bytes_{};
};

} // namespace kivuna::tags
