#pragma once

// What the getters show of an ID3v2 tag. Frame IDs are the interface's: "TYER" is the recording
// year whichever frame holds it (TagLib turns a v2.3 TYER into TDRC when it reads).
#include <map>
#include <string>
#include <string_view>
#include <taglib/id3v2tag.h>
#include <vector>

#include "Id3v2Pictures.h"

namespace kivuna::tags {

// A text frame the interface can read and write: four letters or digits starting with 'T', and not
// the user-defined TXXX, whose text needs a description.
bool IsTextFrameId(std::string_view frameId);

// The text of the first frame with that ID (TextIdentificationFrame::toString), or "".
std::string Id3v2Text(const TagLib::ID3v2::Tag& tag, const std::string& frameId);

// The text of the first comment with an empty description, or "".
std::string Id3v2Comment(const TagLib::ID3v2::Tag& tag);

struct Id3v2Values {
    static Id3v2Values Read(const TagLib::ID3v2::Tag& tag);
    std::string Text(const std::string& frameId) const;

    std::map<std::string, std::string, std::less<>> texts;
    std::string comment;
    std::vector<Id3v2StoredPicture> pictures;
};

} // namespace kivuna::tags
