#pragma once

// What a handle set on its ID3v2 tag, kept apart from what it read, so a save applies exactly these
// changes to the tag as it is on disk at that moment.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <taglib/id3v2tag.h>

namespace kivuna::tags {

struct Id3v2Picture {
    TagLib::ByteVector data;
    TagLib::String mimeType;
};

struct Id3v2Changes {
    // By interface frame ID ("TYER" for the year); an empty text removes the frame.
    std::map<std::string, std::string, std::less<>> texts;
    // The comment without a description; empty removes it.
    std::optional<std::string> comment;
    // Picture types whose pictures go, before a new front cover is added.
    std::set<int32_t> removedPictureTypes;
    // The front cover.
    std::optional<Id3v2Picture> picture;
    // The ID3v2 version (3 or 4) the tag is saved in, when it is to change; frames the version
    // cannot hold fail the save unless they may be dropped.
    std::optional<int32_t> version;
    bool dropUnconverted = false;
    // The save only answers whether it would be taken, and writes nothing.
    bool checkOnly = false;
};

// True when writing `wanted` over `current` changes nothing. A plain number equal to the stored
// track number ("3" over "03" or "3/12") keeps the stored TRCK text.
bool SameId3v2Text(const std::string& frameId, const std::string& wanted,
                   const std::string& current);

// Applies the changes that differ from the tag; true when the tag changed.
bool ApplyId3v2Changes(const Id3v2Changes& changes, TagLib::ID3v2::Tag& tag,
                       TagLib::ID3v2::Version version);

} // namespace kivuna::tags
