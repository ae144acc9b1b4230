#include "MpegFile.h"

#include "FileDescriptor.h"

namespace kivuna::tags {

std::unique_ptr<TagLib::MPEG::File> OpenMpegFile(const char* name) {
    // Stat first: TagLib would open a FIFO and wait for a writer.
    if (!IsRegularFile(name))
        return nullptr;
    auto file = std::make_unique<TagLib::MPEG::File>(name, false);
    if (!file->isValid() || file->firstFrameOffset() < 0)
        return nullptr;
    return file;
}

TagLib::ByteVector ReadBytes(TagLib::MPEG::File& file, long offset, unsigned long size) {
    file.seek(offset);
    return file.readBlock(size);
}

} // namespace kivuna::tags
