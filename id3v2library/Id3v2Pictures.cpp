#include "Id3v2Pictures.h"

#include <taglib/attachedpictureframe.h>

#include "TagText.h"

namespace kivuna::tags {

using TagLib::ID3v2::AttachedPictureFrame;

std::vector<Id3v2StoredPicture> ReadId3v2Pictures(const TagLib::ID3v2::Tag& tag) {
    std::vector<Id3v2StoredPicture> pictures;
    for (const auto* frame : tag.frameList("APIC")) {
        const auto* picture = dynamic_cast<const AttachedPictureFrame*>(frame);
        if (picture == nullptr)
            continue;
        const TagLib::ByteVector& data = picture->picture();
        pictures.push_back({static_cast<int32_t>(picture->type()), ToUtf8(picture->mimeType()),
                            std::string(data.data(), data.size())});
    }
    return pictures;
}

bool RemoveId3v2Pictures(TagLib::ID3v2::Tag& tag, const std::set<int32_t>& types) {
    // A copy of the list: removing a frame changes the tag's own.
    const TagLib::ID3v2::FrameList frames = tag.frameList("APIC");
    bool removed = false;
    for (auto* frame : frames) {
        const auto* picture = dynamic_cast<const AttachedPictureFrame*>(frame);
        if (picture != nullptr && types.contains(static_cast<int32_t>(picture->type()))) {
            tag.removeFrame(frame);
            removed = true;
        }
    }
    return removed;
}

} // namespace kivuna::tags
