#include "MpegFile.h"

#include <algorithm>
#include <optional>
#include <string>
#include <taglib/tbytevectorstream.h>

#include "FileDescriptor.h"
#include "Id3v2RawTag.h"
#include "MpegAudio.h"

namespace kivuna::tags {
namespace {

// Enough of the audio behind the tag for TagLib to take the stream for an MPEG file.
constexpr size_t kAudioStart = 4 * 1024;

struct MemoryStream {
    explicit MemoryStream(const std::string& bytes)
        : stream(TagLib::ByteVector(bytes.data(), static_cast<unsigned int>(bytes.size()))) {}
    TagLib::ByteVectorStream stream;
};

// An MPEG file over bytes in memory; the stream lives as long as the file.
class MemoryMpegFile : private MemoryStream, public TagLib::MPEG::File {
  public:
    explicit MemoryMpegFile(const std::string& bytes)
        : MemoryStream(bytes), TagLib::MPEG::File(&stream, TagLib::ID3v2::FrameFactory::instance(),
                                                  false) {}
};

// The file's front as TagLib is to read it, when the file starts with an ID3v2 tag: the tag
// (without an extended header, which TagLib misreads) and the start of the audio. TagLib is given
// these bytes from memory rather than the file: it would read the tag again in pieces and search
// the end of the file for tags the library reads itself, a dozen system calls per load.
std::optional<std::string> ReadableFront(const FileDescriptor& file) {
    std::string start(Id3v2Header::kSize, '\0');
    if (!file.ReadAt(0, start.data(), start.size()))
        return std::nullopt;
    const auto header = ParseId3v2Header(start);
    if (!header)
        return std::nullopt;
    const off_t size = std::min<off_t>(file.Size(), header->completeSize + kAudioStart);
    std::string front(static_cast<size_t>(size), '\0');
    if (!file.ReadAt(0, front.data(), front.size()))
        return std::nullopt;
    if (!header->HasExtendedHeader())
        return front;
    auto tag = WithoutExtendedHeader(std::string_view(front).substr(0, header->completeSize));
    if (!tag)
        return std::nullopt;
    return *tag + front.substr(header->completeSize);
}

} // namespace

std::unique_ptr<TagLib::MPEG::File> OpenMpegFile(const char* name) {
    // Our own check first: it opens regular files only (TagLib would wait on a FIFO) and stops at
    // the first frame, where TagLib's own search reads on through the audio.
    const FileDescriptor checked = FileDescriptor::OpenForReading(name);
    if (!checked.Valid() || !HoldsMpegAudio(checked))
        return nullptr;
    return OpenMpegFile(checked, name);
}

std::unique_ptr<TagLib::MPEG::File> OpenMpegFile(const FileDescriptor& mp3, const char* name) {
    std::unique_ptr<TagLib::MPEG::File> file;
    if (const auto front = ReadableFront(mp3))
        file = std::make_unique<MemoryMpegFile>(*front);
    else
        file = std::make_unique<TagLib::MPEG::File>(name, false);
    return file->isValid() ? std::move(file) : nullptr;
}

} // namespace kivuna::tags
