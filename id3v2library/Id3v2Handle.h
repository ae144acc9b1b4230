#pragma once

// The state behind an ID3v2 handle: what it read from the file and, apart from that, what it set.
#include "FileDescriptor.h"
#include "FileInfo.h"
#include "Id3v2Changes.h"
#include "Id3v2Values.h"

#include "ReturnedText.h"
#include "TagRegions.h"
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
    // Gives a file without a tag at its front an ID3v2.3 tag of padding only. True when the file
    // holds a tag at its front afterwards (also when it had one).
    bool CreateEmpty(const char* fileName);

    std::string Text(const std::string& frameId) const;
    std::string Comment() const;
    void SetText(const std::string& frameId, const std::string& text);
    void SetComment(const std::string& text);
    void SetPicture(Id3v2Picture picture) { changes_.picture = std::move(picture); }

    // The pictures the handle read, less the types it removes; null past the last.
    const Id3v2StoredPicture* Picture(int32_t index) const;
    int32_t PictureCount() const;
    void RemovePictures(int32_t type);

    // Reads the file's audio properties and tag places; false for a file that is no MP3.
    bool LoadFileInfo(const char* fileName);
    // A value of the last LoadFileInfo; 0 for an unknown name or before one succeeded.
    int32_t FileInfoValue(const char* name) const;

    // Reads the file's two tag regions; false for a file that is no MP3.
    bool LoadRegions(const char* fileName);
    // A region of the last LoadRegions, held until the next: 1 the ID3v1 record, 2 the ID3v2 tag;
    // empty for a tag the file lacked, or another number.
    const std::string& Region(int32_t which) const;
    // Puts the regions into the file in place of its own, audio untouched; the handle then holds
    // no tag. False for a read-only, vanished or non-MPEG file and for bytes that are no regions.
    bool PutRegions(const char* fileName, std::string_view id3v2, std::string_view id3v1);

    ReturnedText& Returned() { return returned_; }

    // The system's reason for the last failed save of any kind, or a load's unfinished rewrite
    // (SystemError.h); 0 for none.
    int32_t LastError() const { return lastError_; }
    void SetLastError(int32_t error) { lastError_ = error; }

    // The tag's version for the next save (3 or 4); frames it cannot hold fail that save unless
    // `dropUnconverted`, and are then named by Unconverted(). `checkOnly`: the save writes nothing.
    void SetVersion(int32_t version, bool dropUnconverted, bool checkOnly) {
        changes_.version = version;
        changes_.dropUnconverted = dropUnconverted;
        changes_.checkOnly = checkOnly;
    }
    const std::string& Unconverted() const { return unconverted_; }

  private:
    int32_t lastError_ = 0;
    mutable std::string unconverted_;
    std::vector<const Id3v2StoredPicture*> KeptPictures() const;
    // Holds no tag, read or set, and no knowledge of the file.
    void Forget();

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
    // That load's reading, while the tag it read is unchanged: a save of the same bytes applies
    // its changes to it instead of parsing the file again. A save takes it, whatever it finds.
    mutable std::unique_ptr<TagLib::MPEG::File> loadedReading_;
    Id3v2Values read_;
    Id3v2Changes changes_;
    std::optional<FileInfo> fileInfo_;
    std::optional<TagRegions> regions_;
    ReturnedText returned_;
};

} // namespace kivuna::tags
