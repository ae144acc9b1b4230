#pragma once

// The state behind an ID3v1 handle: the record it read (or a blank one) with its own changes,
// and which fields it changed, so a save touches only those.
#include <bitset>

#include "Id3v1Record.h"
#include "ReturnedText.h"

namespace kivuna::tags {

class Id3v1Handle {
  public:
    // Reads the file's ID3v1 record; false (and a blank record) when there is none.
    bool Load(const char* fileName);
    // Writes the changed fields over the record on disk now, or removes the record when it ends up
    // holding nothing. True when the file holds the result.
    bool Save(const char* fileName) const;
    // Cuts the ID3v1 record off the file; the handle then holds a blank record. True when the file
    // holds no record afterwards (also when it had none).
    bool Remove(const char* fileName);
    // Gives a file without a record a blank one (no texts, no genre, no track). True when the file
    // holds a record afterwards (also when it had one).
    bool CreateEmpty(const char* fileName);

    std::string Text(Id3v1Field field) const { return record_.Text(field); }
    uint8_t Genre() const { return record_.Genre(); }
    uint8_t Track() const { return record_.Track(); }
    void SetText(Id3v1Field field, const std::string& utf8);
    void SetGenre(uint8_t genre);
    void SetTrack(uint8_t track);

    ReturnedText& Returned() { return returned_; }

    // The system's reason for the last failed save of any kind, or a load's unfinished rewrite
    // (SystemError.h); 0 for none.
    int32_t LastError() const { return lastError_; }
    void SetLastError(int32_t error) { lastError_ = error; }

  private:
    int32_t lastError_ = 0;
    void Mark(Id3v1Field field) { changed_.set(static_cast<size_t>(field)); }

    Id3v1Record record_;
    std::bitset<kId3v1FieldCount> changed_;
    ReturnedText returned_;
};

} // namespace kivuna::tags
