#include "MpegFile.h"

#include "FileDescriptor.h"
#include "MpegAudio.h"

namespace kivuna::tags {

std::unique_ptr<TagLib::MPEG::File> OpenMpegFile(const char* name) {
    // Our own check first: it opens regular files only (TagLib would wait on a FIFO) and stops at
    // the first frame, where TagLib's own search reads on through the audio.
    const FileDescriptor checked = FileDescriptor::OpenForReading(name);
    if (!checked.Valid() || !HoldsMpegAudio(checked))
        return nullptr;
    auto file = std::make_unique<TagLib::MPEG::File>(name, false);
    return file->isValid() ? std::move(file) : nullptr;
}

TagLib::ByteVector ReadBytes(TagLib::MPEG::File& file, long offset, unsigned long size) {
    file.seek(offset);
    return file.readBlock(size);
}

} // namespace kivuna::tags
