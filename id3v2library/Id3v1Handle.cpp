#include "Id3v1Handle.h"

#include "FileDescriptor.h"
#include "MpegFile.h"
#include "TagPlacement.h"

namespace kivuna::tags {
namespace {

constexpr auto kRecordSize = static_cast<long>(Id3v1Record::kSize);

// The 128 bytes at the end of the file, when they are an ID3v1 record.
bool ReadRecord(TagLib::MPEG::File& file, long fileSize, Id3v1Record& record, std::string& bytes) {
    if (fileSize < kRecordSize)
        return false;
    const TagLib::ByteVector read = ReadBytes(file, fileSize - kRecordSize, Id3v1Record::kSize);
    bytes.assign(read.data(), read.size());
    return Id3v1Record::Parse(bytes, record);
}

} // namespace

bool Id3v1Handle::Load(const char* fileName) {
    record_ = Id3v1Record();
    changed_.reset();
    const auto file = OpenMpegFile(fileName);
    if (!file || !file->hasID3v1Tag())
        return false;
    Id3v1Record read;
    std::string bytes;
    if (!ReadRecord(*file, file->length(), read, bytes))
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
    Id3v1Record result;
    std::string diskBytes;
    const bool onDisk = ReadRecord(*file, static_cast<long>(size), result, diskBytes);
    for (int i = 0; i < kId3v1FieldCount; ++i) {
        if (changed_.test(static_cast<size_t>(i)))
            result.CopyField(static_cast<Id3v1Field>(i), record_);
    }
    if (result.HoldsNothing())
        return !onDisk || CutFileTail(writable, size - kRecordSize);
    const std::string bytes = result.Render();
    if (onDisk && bytes == diskBytes)
        return true;
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
