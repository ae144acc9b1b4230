#include "Id3v1Handle.h"

#include "FileDescriptor.h"
#include "MpegAudio.h"
#include "SaveLock.h"
#include "SystemError.h"
#include "TagPlacement.h"
#include "TagRegions.h"

namespace kivuna::tags {
namespace {

constexpr auto kRecordSize = static_cast<off_t>(Id3v1Record::kSize);

// The file's ID3v1 record (`record` is untouched when it has none). Only its last 128 bytes are
// read, and the few that tell the file holds MPEG audio; never the ID3v2 tag.
bool ReadRecord(const FileDescriptor& file, Id3v1Record& record, std::string& bytes) {
    bytes = ReadId3v1Region(file);
    return !bytes.empty() && Id3v1Record::Parse(bytes, record);
}

} // namespace

bool Id3v1Handle::Load(const char* fileName) {
    record_ = Id3v1Record();
    changed_.reset();
    const FileForLoad loaded = OpenForLoad(fileName);
    SetLastError(loaded.unfinished ? kUnfinishedRewrite : 0);
    std::string bytes;
    return loaded.mp3 && ReadRecord(loaded.file, record_, bytes);
}

bool Id3v1Handle::Save(const char* fileName) const {
    SaveLock lock(fileName);
    const FileDescriptor& writable = lock.File();
    if (!lock.HeldOnMpegAudio())
        return false;
    const off_t size = writable.Size();
    Id3v1Record result;
    std::string diskBytes;
    const bool onDisk = ReadRecord(writable, result, diskBytes);
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

bool Id3v1Handle::Remove(const char* fileName) {
    SaveLock lock(fileName);
    const FileDescriptor& writable = lock.File();
    if (!lock.HeldOnMpegAudio())
        return false;
    Id3v1Record onDisk;
    std::string diskBytes;
    if (ReadRecord(writable, onDisk, diskBytes) &&
        !CutFileTail(writable, writable.Size() - kRecordSize))
        return false;
    record_ = Id3v1Record();
    changed_.reset();
    return true;
}

bool Id3v1Handle::CreateEmpty(const char* fileName) {
    SaveLock lock(fileName);
    const FileDescriptor& writable = lock.File();
    if (!lock.HeldOnMpegAudio())
        return false;
    Id3v1Record onDisk;
    std::string diskBytes;
    if (ReadRecord(writable, onDisk, diskBytes))
        return true;
    return WriteFileTail(writable, writable.Size(), Id3v1Record().Render());
}

void Id3v1Handle::SetText(Id3v1Field field, const std::string& utf8) {
    if (record_.StoresAs(field, utf8))
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
