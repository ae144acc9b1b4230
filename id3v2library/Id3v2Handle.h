#pragma once

// The state behind an ID3v2 handle: what it read from the file and, apart from that, what it set.
#include "FileDescriptor.h"
#include "Id3v2Changes.h"
#include "Id3v2Values.h"

#include "ReturnedText.h"
#include <optional>
#include <taglib/mpegfile.h>

namespace kivuna::tags {

class Id3v2Handle {
  public:
    // Reads the file's ID3v2 tag; false when the file holds none (or is no MP3).
    bool Load(const char* fileName);
    bool Loaded() const { return loaded_; }
    // Applies the handle's changes to the tag on disk now. True when the file holds the result;
    // false for a read-only, vanished or non-MPEG file and for a tag TagLib cannot read whole.
    bool Save(const char* fileName) const;
    // Takes the ID3v2 tag off the front of the file, audio untouched; the handle then holds no tag.
    // True when the file holds no tag at its front afterwards (also when it had none); false for a
    // read-only, vanished or non-MPEG file.
    bool Remove(const char* fileName);

    std::string Text(const std::string& frameId) const;
    std::string Comment() const;
    void SetText(const std::string& frameId, const std::string& text);
    void SetComment(const std::string& text);
    void SetPicture(Id3v2Picture picture) { changes_.picture = std::move(picture); }

    ReturnedText& Returned() { return returned_; }

  private:
    // What a save needs to know of TagLib's reading of the file, and the file it was learnt from.
    struct FileFacts {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool hasTag = false;
        uint32_t tagSize = 0;

        static FileFacts Of(const struct stat& status, TagLib::MPEG::File& file);
        bool SameFile(const struct stat& status) const;
    };

    bool loaded_ = false;
    // From the last load that found MPEG audio: a save with nothing to change need not parse the
    // file again while it is unchanged.
    std::optional<FileFacts> loadedFile_;
    Id3v2Values read_;
    Id3v2Changes changes_;
    ReturnedText returned_;
};

} // namespace kivuna::tags
