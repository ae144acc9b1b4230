#pragma once

#include "tagaccess/TagFields.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

// What the tag-changing runs make of a file's fields; no file, no window.
namespace tagjobs {

// The tag versions a run works on.
enum class ChosenTags { Id3v1 = 1, Id3v2 = 2, Both = 3 };

inline ChosenTags TagsOf(bool v1, bool v2) {
    return ChosenTags((v1 ? 1 : 0) | (v2 ? 2 : 0));
}

// Whether the choice includes tag version 1 or 2.
inline bool Includes(ChosenTags versions, int version) {
    return (static_cast<int>(versions) & version) != 0;
}

// The new fields of one tag (version 1 or 2) of the file at `position` (1 for the first file of
// the run, in its order).
using FieldsChange =
    std::function<tagaccess::TagFields(const tagaccess::TagFields& old, int version, int position)>;

// The fields a multiple edit sets; a field without a value keeps the file's own text.
struct FieldEdit {
    std::array<std::optional<QString>, tagaccess::kTagFieldCount> values;
    // The track becomes the file's position in the run.
    bool autoNumber = false;

    bool ChangesAnything() const;
};

// The fields of a tag of that version (1 or 2) after the edit; `position` numbers an
// auto-numbered track. A track of "n/total" goes into ID3v1 as n.
tagaccess::TagFields ApplyFieldEdit(const tagaccess::TagFields& old, const FieldEdit& edit,
                                    int version, int position);

enum class TranslitDirection { RusToEng, EngToRus };

// Title, artist, album and comment transliterated; year, genre and track are no free text (a
// genre is a name of the genre table) and keep their texts.
tagaccess::TagFields TranslitFields(const tagaccess::TagFields& old, TranslitDirection direction);

} // namespace tagjobs
