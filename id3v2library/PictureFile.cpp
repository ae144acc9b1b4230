#include "PictureFile.h"

#include <string_view>

#include "FileDescriptor.h"

namespace kivuna::tags {
namespace {

constexpr off_t kMaxPictureSize = 16 * 1024 * 1024;

const char* SniffedMimeType(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xD8\xFF"))
        return "image/jpeg";
    if (bytes.starts_with("\x89PNG\r\n\x1A\n"))
        return "image/png";
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a"))
        return "image/gif";
    if (bytes.starts_with("BM"))
        return "image/bmp";
    return "image/unknown";
}

const char* MimeType(int32_t kind, std::string_view bytes) {
    switch (kind) {
    case 1:
        return "image/jpeg";
    case 2:
        return "image/png";
    case 3:
        return "image/bmp";
    case 4:
        return "image/gif";
    default:
        return SniffedMimeType(bytes);
    }
}

} // namespace

std::optional<Id3v2Picture> ReadPictureFile(const char* name, int32_t kind) {
    const FileDescriptor file = FileDescriptor::OpenForReading(name);
    if (!file.Valid() || file.Size() <= 0 || file.Size() > kMaxPictureSize)
        return std::nullopt;
    TagLib::ByteVector data(static_cast<unsigned int>(file.Size()), '\0');
    if (!file.ReadAt(0, data.data(), data.size()))
        return std::nullopt;
    const std::string_view bytes(data.data(), data.size());
    return Id3v2Picture{data, TagLib::String(MimeType(kind, bytes), TagLib::String::Latin1)};
}

} // namespace kivuna::tags
