#pragma once

// The state behind an ID3v2 handle: what it read from the file and, apart from that, what it set.
#include "Id3v2Changes.h"
#include "Id3v2Values.h"
#include "ReturnedText.h"

namespace kivuna::tags {

class Id3v2Handle {
  public:
    // Reads the file's ID3v2 tag; false when the file holds none (or is no MP3).
    bool Load(const char* fileName);
    bool Loaded() const { return loaded_; }
    // Applies the handle's changes to the tag on disk now. True when the file holds the result;
    // false for a read-only, vanished or non-MPEG file and for a tag TagLib cannot read whole.
    bool Save(const char* fileName) const;

    std::string Text(const std::string& frameId) const;
    std::string Comment() const;
    void SetText(const std::string& frameId, const std::string& text);
    void SetComment(const std::string& text);
    void SetPicture(Id3v2Picture picture) { changes_.picture = std::move(picture); }

    ReturnedText& Returned() { return returned_; }

  private:
    bool loaded_ = false;
    Id3v2Values read_;
    Id3v2Changes changes_;
    ReturnedText returned_;
};

} // namespace kivuna::tags
