#pragma once

// The 128-byte ID3v1 record at the end of an MP3, in the v1.1 layout: "TAG", title, artist and
// album of 30 bytes, year of 4, comment of 30 (28 when the track byte is used) and the genre byte.
// Fields keep their stored bytes, so a field nobody set is written back exactly as it was.
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

    // The record from 128 bytes; false (record untouched) when they are no ID3v1 tag.
    static bool Parse(std::string_view bytes, Id3v1Record& record);
    // The 128 bytes; the comment is cut to 28 bytes when a track is set.
    std::string Render() const;

    // A text as it will be written.
    std::string Text(Id3v1Field field) const;
    // Whether the field holds the text in the bytes it would be stored as now (padding aside): a
    // text read right from another code page's bytes is stored again.
    bool StoresAs(Id3v1Field field, const std::string& utf8) const;
    void SetText(Id3v1Field field, const std::string& utf8);
    uint8_t Genre() const { return genre_; }
    void SetGenre(uint8_t genre) { genre_ = genre; }
    uint8_t Track() const { return track_; }
    void SetTrack(uint8_t track) { track_ = track; }

    // Takes one field from another record, as that record stores it.
    void CopyField(Id3v1Field field, const Id3v1Record& from);
    // No text, genre 255, no track: nothing worth a tag.
    bool HoldsNothing() const;

  private:
    std::string_view Stored(Id3v1Field field) const;

    // Title, artist, album, year and comment bytes, at most their widths.
    std::array<std::string, 5> texts_;
    uint8_t genre_ = 0xFF;
    uint8_t track_ = 0;
};

} // namespace kivuna::tags
