#pragma once

// Keeping frames intact when TagLib renders its v2.4 model as ID3v2.3.
#include <taglib/id3v2tag.h>

namespace kivuna::tags {

// Before render(ID3v2::v3): a year TagLib would cut or drop (anything but four digits or a full
// date) becomes an explicit TYER frame with the exact text, and the v2.3-only frames TagLib kept
// aside when it read a v2.3 tag (RVAD, EQUA, TRDA, TSIZ) are written back unchanged.
void PrepareForId3v23(TagLib::ID3v2::Tag& tag, bool readFromId3v23);

} // namespace kivuna::tags
