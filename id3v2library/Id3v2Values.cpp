#include "Id3v2Values.h"

#include <algorithm>
#include <taglib/commentsframe.h>
#include <taglib/textidentificationframe.h>

#include "TagText.h"

namespace kivuna::tags {
namespace {

// TagLib folds a v2.3 TDAT into TDRC ("1999" becomes "1999-12-31"); the v2.3 year is only the
// TYER part.
bool IsFoldedV23Date(const TagLib::ID3v2::Tag& tag, const std::string& year) {
    return tag.header()->majorVersion() < 4 && !tag.frameList("TDAT").isEmpty() &&
           year.size() >= 10 && year[4] == '-';
}

} // namespace

bool IsTextFrameId(std::string_view frameId) {
    return frameId.size() == 4 && frameId[0] == 'T' && frameId != "TXXX" &&
           std::all_of(frameId.begin(), frameId.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

std::string Id3v2Text(const TagLib::ID3v2::Tag& tag, const std::string& frameId) {
    if (!IsTextFrameId(frameId))
        return {};
    const bool year = frameId == "TYER" || frameId == "TDRC";
    const TagLib::ID3v2::FrameList* frames = &tag.frameList(year ? "TDRC" : frameId.c_str());
    if (year && frames->isEmpty())
        frames = &tag.frameList("TYER");
    if (frames->isEmpty())
        return {};
    const auto* text = dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(frames->front());
    if (text == nullptr)
        return {};
    std::string value = ToUtf8(text->toString());
    if (year && IsFoldedV23Date(tag, value))
        value.resize(4);
    return value;
}

std::string Id3v2Comment(const TagLib::ID3v2::Tag& tag) {
    for (const auto* frame : tag.frameList("COMM")) {
        const auto* comment = dynamic_cast<const TagLib::ID3v2::CommentsFrame*>(frame);
        if (comment != nullptr && comment->description().isEmpty())
            return ToUtf8(comment->text());
    }
    return {};
}

Id3v2Values Id3v2Values::Read(const TagLib::ID3v2::Tag& tag) {
    Id3v2Values values;
    for (const auto* frame : tag.frameList()) {
        std::string id(frame->frameID().data(), frame->frameID().size());
        if (id == "TDRC")
            id = "TYER";
        if (IsTextFrameId(id) && !values.texts.contains(id))
            values.texts.emplace(id, Id3v2Text(tag, id));
    }
    values.comment = Id3v2Comment(tag);
    values.pictures = ReadId3v2Pictures(tag);
    return values;
}

std::string Id3v2Values::Text(const std::string& frameId) const {
    const auto it = texts.find(frameId == "TDRC" ? std::string("TYER") : frameId);
    return it != texts.end() ? it->second : std::string();
}

} // namespace kivuna::tags
