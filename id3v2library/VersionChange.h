#pragma once

// A tag saved in the other ID3v2 version (2.3 <-> 2.4): what of it that version cannot hold.
#include <set>
#include <string>
#include <taglib/id3v2tag.h>

namespace kivuna::tags {

// The frame IDs of TagLib's model of a tag. TagLib reads both versions into one model (a 2.3 year
// and date become the 2.4 date, IPLS becomes TIPL; 2.3 frames 2.4 lacks keep their IDs).
std::set<std::string> FrameIds(const TagLib::ID3v2::Tag& tag);

// The frames of the model (`before`, by ID) that the rendering, read back, no longer holds in any
// form, comma-separated; empty when nothing is lost. A frame that only changed its form is not
// counted.
std::string FramesWithoutEquivalent(const std::set<std::string>& before,
                                    const TagLib::ByteVector& rendered);

} // namespace kivuna::tags
