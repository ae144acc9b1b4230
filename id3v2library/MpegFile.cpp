#include "MpegFile.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <taglib/tbytevectorstream.h>
#include <taglib/tiostream.h>

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
    bool Read(const std::string& bytes) {
        const TagLib::ByteVector& read = *stream.data();
        return read.size() == bytes.size() && std::equal(bytes.begin(), bytes.end(), read.begin());
    }
};

// The open file as a stream for TagLib, for reading only.
class DescriptorStream : public TagLib::IOStream {
  public:
    explicit DescriptorStream(const FileDescriptor& file) : file_(file) {}

    TagLib::FileName name() const override { return ""; }
    TagLib::ByteVector readBlock(unsigned long length) override {
        const long left = std::max(0L, this->length() - position_);
        const auto size = static_cast<unsigned int>(std::min<unsigned long>(
            {length, static_cast<unsigned long>(left), std::numeric_limits<unsigned int>::max()}));
        TagLib::ByteVector bytes(size, '\0');
        if (size == 0 || !file_.ReadAt(position_, bytes.data(), size))
            return TagLib::ByteVector();
        position_ += size;
        return bytes;
    }
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return file_.Valid(); }
    void seek(long offset, Position from) override {
        const long base = from == Beginning ? 0 : from == Current ? position_ : length();
        position_ = std::max(0L, base + offset);
    }
    long tell() const override { return position_; }
    long length() override { return static_cast<long>(file_.Size()); }
    void truncate(long) override {}

  private:
    const FileDescriptor& file_;
    long position_ = 0;
};

struct StreamOn {
    explicit StreamOn(const FileDescriptor& file) : stream(file) {}
    DescriptorStream stream;
};

// An MPEG file read through an open descriptor; the stream lives as long as the file.
class DescriptorMpegFile : private StreamOn, public TagLib::MPEG::File {
  public:
    DescriptorMpegFile(const FileDescriptor& file, bool readProperties)
        : StreamOn(file), TagLib::MPEG::File(&stream, TagLib::ID3v2::FrameFactory::instance(),
                                             readProperties, TagLib::AudioProperties::Average) {}
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

std::unique_ptr<TagLib::MPEG::File> OpenMpegFile(const FileDescriptor& mp3,
                                                 std::unique_ptr<TagLib::MPEG::File> earlier) {
    std::unique_ptr<TagLib::MPEG::File> file;
    if (const auto front = ReadableFront(mp3)) {
        if (auto* read = dynamic_cast<MemoryMpegFile*>(earlier.get()); read && read->Read(*front))
            return earlier;
        file = std::make_unique<MemoryMpegFile>(*front);
    } else
        file = ReadMpegFile(mp3, false);
    return file->isValid() ? std::move(file) : nullptr;
}

bool ReadFromMemory(const TagLib::MPEG::File& file) {
    return dynamic_cast<const MemoryMpegFile*>(&file) != nullptr;
}

std::unique_ptr<TagLib::MPEG::File> ReadMpegFile(const FileDescriptor& file, bool readProperties) {
    return std::make_unique<DescriptorMpegFile>(file, readProperties);
}

} // namespace kivuna::tags
