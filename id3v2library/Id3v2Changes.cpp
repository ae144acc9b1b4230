#include "Id3v2Changes.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <taglib/attachedpictureframe.h>

#include "Id3v2Pictures.h"
#include <taglib/commentsframe.h>
#include <taglib/textidentificationframe.h>
#include <vector>

#include "Id3v2Values.h"
#include "TagText.h"

namespace kivuna::tags {
namespace {

using TagLib::ID3v2::AttachedPictureFrame;
using TagLib::ID3v2::CommentsFrame;

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number in the digits of `text`, when there are few enough of them for an unsigned long.
std::optional<unsigned long> Number(std::string_view digits) {
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

void SetText(TagLib::ID3v2::Tag& tag, const std::string& frameId, const std::string& text,
             TagLib::ID3v2::Version version) {
    const bool year = frameId == "TYER" || frameId == "TDRC";
    if (year) {
        tag.removeFrames("TDRC");
        tag.removeFrames("TYER");
    } else {
        tag.removeFrames(frameId.c_str());
    }
    if (text.empty())
        return;
    // TagLib cuts a v2.3 year to its first four characters and drops shorter ones when it turns
    // TDRC into TYER, so the v2.3 year is written as TYER straight away, text as given.
    const char* id = year ? (version == TagLib::ID3v2::v3 ? "TYER" : "TDRC") : frameId.c_str();
    // Latin-1 is upgraded at render time where the text needs it (UTF-16 in v2.3, UTF-8 in v2.4).
    auto frame =
        std::make_unique<TagLib::ID3v2::TextIdentificationFrame>(id, TagLib::String::Latin1);
    frame->setText(FromUtf8(text));
    tag.addFrame(frame.release());
}

bool ApplyComment(const std::string& text, TagLib::ID3v2::Tag& tag) {
    if (Id3v2Comment(tag) == text)
        return false;
    const TagLib::ID3v2::FrameList comments = tag.frameList("COMM");
    for (auto* frame : comments) {
        const auto* comment = dynamic_cast<CommentsFrame*>(frame);
        if (comment != nullptr && comment->description().isEmpty())
            tag.removeFrame(frame);
    }
    if (!text.empty()) {
        auto frame = std::make_unique<CommentsFrame>(TagLib::String::Latin1);
        // TagLib would write "XXX" for a comment without a language.
        frame->setLanguage("eng");
        frame->setText(FromUtf8(text));
        tag.addFrame(frame.release());
    }
    return true;
}

bool ApplyPicture(const Id3v2Picture& picture, TagLib::ID3v2::Tag& tag) {
    std::vector<AttachedPictureFrame*> covers;
    for (auto* frame : tag.frameList("APIC")) {
        auto* cover = dynamic_cast<AttachedPictureFrame*>(frame);
        if (cover != nullptr && cover->type() == AttachedPictureFrame::FrontCover)
            covers.push_back(cover);
    }
    if (covers.size() == 1 && covers.front()->picture() == picture.data &&
        covers.front()->mimeType() == picture.mimeType)
        return false;
    for (auto* cover : covers)
        tag.removeFrame(cover);
    auto frame = std::make_unique<AttachedPictureFrame>();
    frame->setType(AttachedPictureFrame::FrontCover);
    frame->setMimeType(picture.mimeType);
    frame->setPicture(picture.data);
    tag.addFrame(frame.release());
    return true;
}

} // namespace

bool SameId3v2Text(const std::string& frameId, const std::string& wanted,
                   const std::string& current) {
    if (wanted == current)
        return true;
    if (frameId != "TRCK" || !AllDigits(wanted))
        return false;
    const std::string_view stored = std::string_view(current).substr(0, current.find('/'));
    if (!AllDigits(stored))
        return false;
    const auto a = Number(wanted);
    const auto b = Number(stored);
    return a && b && *a == *b;
}

bool ApplyId3v2Changes(const Id3v2Changes& changes, TagLib::ID3v2::Tag& tag,
                       TagLib::ID3v2::Version version) {
    bool changed = false;
    for (const auto& [frameId, text] : changes.texts) {
        if (SameId3v2Text(frameId, text, Id3v2Text(tag, frameId)))
            continue;
        SetText(tag, frameId, text, version);
        changed = true;
    }
    if (changes.comment)
        changed = ApplyComment(*changes.comment, tag) || changed;
    if (!changes.removedPictureTypes.empty())
        changed = RemoveId3v2Pictures(tag, changes.removedPictureTypes) || changed;
    if (changes.picture)
        changed = ApplyPicture(*changes.picture, tag) || changed;
    return changed;
}

} // namespace kivuna::tags
