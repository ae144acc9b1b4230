#pragma once

// The pictures (APIC frames) of an ID3v2 tag as the getters give them out, and their removal.
#include <cstdint>
#include <set>
#include <string>
#include <taglib/id3v2tag.h>
#include <vector>

namespace kivuna::tags {

struct Id3v2StoredPicture {
    // The APIC picture type: 3 is the front cover.
    int32_t type = 0;
    std::string mimeType;
    std::string data;
};

// Every picture of the tag, in tag order.
std::vector<Id3v2StoredPicture> ReadId3v2Pictures(const TagLib::ID3v2::Tag& tag);

// Removes every picture whose type is in `types`; true when one was removed.
bool RemoveId3v2Pictures(TagLib::ID3v2::Tag& tag, const std::set<int32_t>& types);

} // namespace kivuna::tags
