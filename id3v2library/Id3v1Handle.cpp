#include "Id3v1Handle.h"

#include "FileDescriptor.h"
#include "MpegFile.h"
#include "TagPlacement.h"

namespace kivuna::tags {
namespace {

constexpr auto kRecordSize = static_cast<long>(Id3v1Record::kSize);

// The record at the end of the file, when there is one.
bool ReadRecord(TagLib::MPEG::File& file, long fileSize, Id3v1Record& record) {
    if (fileSize < kRecordSize)
        return false;
    const TagLib::ByteVector bytes = ReadBytes(file, fileSize - kRecordSize, Id3v1Record::kSize);
    return Id3v1Record::Parse({bytes.data(), bytes.size()}, record);
}

} // namespace

bool Id3v1Handle::Load(const char* fileName) {
    record_ = Id3v1Record();
    changed_.reset();
    const auto file = OpenMpegFile(fileName);
    if (!file || !file->hasID3v1Tag())
        return false;
    Id3v1Record read;
    if (!ReadRecord(*file, file->length(), read))
        return false;
    record_ = read;
    return true;
}

bool Id3v1Handle::Save(const char* fileName) const {
    const FileDescriptor writable = FileDescriptor::OpenForWriting(fileName);
    if (!writable.Valid())
        return false;
    const auto file = OpenMpegFile(fileName);
    if (!file)
        return false;
    const off_t size = writable.Size();
    Id3v1Record disk;
    const bool onDisk = ReadRecord(*file, static_cast<long>(size), disk);
    Id3v1Record result = onDisk ? disk : Id3v1Record();
    // The track first: it decides whether the comment has 28 or 30 bytes.
    for (const auto field :
         {Id3v1Field::Track, Id3v1Field::Genre, Id3v1Field::Title, Id3v1Field::Artist,
          Id3v1Field::Album, Id3v1Field::Year, Id3v1Field::Comment}) {
        if (Changed(field))
            result.CopyField(field, record_);
    }
    if (result.HoldsNothing())
        return !onDisk || CutFileTail(writable, size - kRecordSize);
    if (onDisk && result == disk)
        return true;
    const std::string_view bytes = result.Bytes();
    return WriteFileTail(writable, onDisk ? size - kRecordSize : size, bytes);
}

void Id3v1Handle::SetText(Id3v1Field field, const std::string& utf8) {
    if (record_.Text(field) == utf8)
        return;
    record_.SetText(field, utf8);
    Mark(field);
}

void Id3v1Handle::SetGenre(uint8_t genre) {
    if (record_.Genre() == genre)
        return;
    record_.SetGenre(genre);
    Mark(Id3v1Field::Genre);
}

void Id3v1Handle::SetTrack(uint8_t track) {
    if (record_.Track() == track)
        return;
    record_.SetTrack(track);
    Mark(Id3v1Field::Track);
}

} // namespace kivuna::tags
