#pragma once

#include "tagaccess/TagFields.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

// What the list's tag commands make of a file's fields; no window, no file.
namespace organizer {

// The new fields of one tag (version 1 or 2) of the file at `position` (1 for the first file of
// the command, in the list's order).
using FieldsChange =
    std::function<tagaccess::TagFields(const tagaccess::TagFields& old, int version, int position)>;

// The fields a multiple edit sets; a field without a value keeps the file's own text.
struct FieldEdit {
    std::array<std::optional<QString>, tagaccess::kTagFieldCount> values;
    // The track becomes the file's position in the command.
    bool autoNumber = false;

    bool ChangesAnything() const;
};

tagaccess::TagFields ApplyFieldEdit(const tagaccess::TagFields& old, const FieldEdit& edit,
                                    int position);

// Every field empty.
tagaccess::TagFields ClearedFields();

enum class TranslitDirection { RusToEng, EngToRus };

// Title, artist, album and comment transliterated; year, genre and track are no free text (a
// genre is a name of the genre table) and keep their texts.
tagaccess::TagFields TranslitFields(const tagaccess::TagFields& old, TranslitDirection direction);

// The fields as a tag of that version stores them: an ID3v1 record holds Windows-1251 text cut
// to its field widths and "0" for no track; ID3v2 keeps every text whole and "" for no track.
tagaccess::TagFields AsStored(const tagaccess::TagFields& fields, int version);

} // namespace organizer
