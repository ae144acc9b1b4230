#include "TagRegions.h"

#include "Id3v1Record.h"
#include "Id3v2RawTag.h"
#include "MpegAudio.h"
#include "TagPlacement.h"

namespace kivuna::tags {
namespace {

constexpr auto kV1RecordSize = static_cast<off_t>(Id3v1Record::kSize);

bool IsId3v1Record(std::string_view bytes) {
    Id3v1Record record;
    return bytes.size() == Id3v1Record::kSize && Id3v1Record::Parse(bytes, record);
}

} // namespace

std::optional<std::string> ReadId3v2Region(const FileDescriptor& file) {
    std::string front(Id3v2Header::kSize, '\0');
    if (!file.ReadAt(0, front.data(), front.size()))
        return std::string();
    const auto header = ParseId3v2Header(front);
    if (!header)
        return std::string();
    std::string tag(header->completeSize, '\0');
    if (!file.ReadAt(0, tag.data(), tag.size()))
        return std::nullopt;
    return tag;
}

std::string ReadId3v1Region(const FileDescriptor& file) {
    std::string bytes(Id3v1Record::kSize, '\0');
    if (file.Size() < kV1RecordSize ||
        !file.ReadAt(file.Size() - kV1RecordSize, bytes.data(), bytes.size()) ||
        !IsId3v1Record(bytes))
        return std::string();
    return bytes;
}

std::optional<TagRegions> ReadTagRegions(const char* fileName, bool* unfinished) {
    const FileForLoad loaded = OpenForLoad(fileName);
    if (unfinished)
        *unfinished = loaded.unfinished;
    if (!loaded.mp3)
        return std::nullopt;
    const FileDescriptor& file = loaded.file;
    std::optional<std::string> id3v2 = ReadId3v2Region(file);
    if (!id3v2)
        return std::nullopt;
    return TagRegions{std::move(*id3v2), ReadId3v1Region(file)};
}

bool AreTagRegions(std::string_view id3v2, std::string_view id3v1) {
    const auto header = ParseId3v2Header(id3v2);
    const bool tagFits = id3v2.empty() || (header && header->completeSize == id3v2.size());
    return tagFits && (id3v1.empty() || IsId3v1Record(id3v1));
}

bool PutTagRegions(SaveLock& lock, std::string_view id3v2, std::string_view id3v1) {
    if (!AreTagRegions(id3v2, id3v1) || !lock.HeldOnMpegAudio())
        return false;
    FileDescriptor& file = lock.File();
    const std::optional<std::string> front = ReadId3v2Region(file);
    if (!front)
        return false;
    const std::string record = ReadId3v1Region(file);
    if (record != id3v1) {
        const off_t end = file.Size() - (record.empty() ? 0 : kV1RecordSize);
        const bool written =
            id3v1.empty() ? CutFileTail(file, end) : WriteFileTail(file, end, id3v1);
        if (!written || !file.Refresh())
            return false;
    }
    return *front == id3v2 || ReplaceFileFront(lock, static_cast<off_t>(front->size()), id3v2);
}

} // namespace kivuna::tags
