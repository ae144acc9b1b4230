#include "Id3v23Downgrade.h"

#include <memory>
#include <taglib/id3v2synchdata.h>
#include <taglib/textidentificationframe.h>
#include <taglib/unknownframe.h>

namespace kivuna::tags {
namespace {

bool IsDigit(wchar_t c) {
    return c >= '0' && c <= '9';
}

// "1999", "1999-12-31" and "1999-12-31T23:59" go to TYER, TDAT and TIME without loss.
bool DowngradesWithoutLoss(const TagLib::String& year) {
    const auto digitsAt = [&](unsigned int from, unsigned int to) {
        for (unsigned int i = from; i < to; ++i) {
            if (!IsDigit(year[i]))
                return false;
        }
        return true;
    };
    switch (year.size()) {
    case 4:
        return digitsAt(0, 4);
    case 10:
    case 16:
        return digitsAt(0, 4) && year[4] == '-' && digitsAt(5, 7) && year[7] == '-' &&
               digitsAt(8, 10) &&
               (year.size() == 10 ||
                (year[10] == 'T' && digitsAt(11, 13) && year[13] == ':' && digitsAt(14, 16)));
    default:
        return false;
    }
}

void KeepYearText(TagLib::ID3v2::Tag& tag) {
    const TagLib::ID3v2::FrameList years = tag.frameList("TDRC");
    if (years.isEmpty())
        return;
    const TagLib::String year = years.front()->toString();
    if (DowngradesWithoutLoss(year))
        return;
    tag.removeFrames("TDRC");
    auto frame =
        std::make_unique<TagLib::ID3v2::TextIdentificationFrame>("TYER", TagLib::String::Latin1);
    frame->setText(year);
    tag.addFrame(frame.release());
}

// TagLib marks these v2.3 frames "discard when altered" because v2.4 has no such frames; in a
// v2.3 tag they are still valid, so each is replaced by an unmarked copy of its bytes.
void KeepV23OnlyFrames(TagLib::ID3v2::Tag& tag) {
    for (const char* id : {"RVAD", "EQUA", "TRDA", "TSIZ"}) {
        const TagLib::ID3v2::FrameList frames = tag.frameList(id);
        for (auto* frame : frames) {
            const auto* unknown = dynamic_cast<TagLib::ID3v2::UnknownFrame*>(frame);
            if (unknown == nullptr)
                continue;
            const TagLib::ByteVector data = unknown->data();
            const TagLib::ByteVector bytes = TagLib::ByteVector(id) +
                                             TagLib::ID3v2::SynchData::fromUInt(data.size()) +
                                             TagLib::ByteVector(2, '\0') + data;
            tag.removeFrame(frame);
            tag.addFrame(std::make_unique<TagLib::ID3v2::UnknownFrame>(bytes).release());
        }
    }
}

} // namespace

void PrepareForId3v23(TagLib::ID3v2::Tag& tag, bool readFromId3v23) {
    KeepYearText(tag);
    if (readFromId3v23)
        KeepV23OnlyFrames(tag);
}

} // namespace kivuna::tags
