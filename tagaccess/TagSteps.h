#pragma once

#include "FileFacts.h"
#include "TDll.h"
#include "TagFields.h"
#include "TagLibraryEntries.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// The steps the tag operations are made of. Each resolves its entry points right before their
// first call, so a missing entry point ends an operation after the steps before it have run.
namespace tagaccess::steps {

// Fills the seven ID3v1 entries from a loaded handle, in field order.
void FillId3v1(const TDll& library, TagHandle handle, TagFields& fields);

// Fills the seven ID3v2 entries from a loaded handle, in field order.
void FillId3v2(const TDll& library, TagHandle handle, TagFields& fields);

// Sets the seven fields on an ID3v1 handle and saves it into the file.
void StoreId3v1(const TDll& library, TagHandle handle, const TagFields& fields,
                const QString& path);

// Sets the six text frames and the comment on an ID3v2 handle, those of the mask only.
void SetId3v2Texts(const TDll& library, TagHandle handle, const TagFields& fields,
                   const FieldMask& only = kAllFields);

// Attaches the picture when the path names an existing file; does nothing otherwise.
void AttachPicture(const TDll& library, TagHandle handle, const QString& picturePath);

void SaveId3v2(const TDll& library, TagHandle handle, const QString& path);

// Takes one tag off the file through a new handle: `version` is 1 or 2. Raises an error naming
// the tag and the file when the library could not.
// A write step that answered 0 left the file as it was: throws `failure` (a sentence without its
// full stop) with the system's reason for it, when the library gives one.
void CheckWritten(const TDll& library, TagHandle handle, int version, int32_t answer,
                  const QString& failure);

// A load that found no tag: throws when the file only looks so because the library could not
// read it (a rewrite under another name not finished), rather than let it read as untagged.
void CheckLoaded(const TDll& library, TagHandle handle, int version, const QString& path);

// What a copy from a tag the file lacks says.
QString MissingSourceTag(const QString& tagName, const QString& path);

void RemoveTag(const TDll& library, int version, const QString& path);

// The pictures of a loaded ID3v2 handle, in tag order.
std::vector<TagPicture> AllPictures(const TDll& library, TagHandle handle);

// The facts of a handle whose LoadFileInfo succeeded.
AudioFacts ReadFacts(const TDll& library, TagHandle handle);

// The field-by-field merge of the two tags' texts: blank-only texts count as empty; where both
// hold text, ID3v2 wins for preferredVersion 2 and ID3v1 for any other value.
TagFields MergeFields(const TagFields& v1, const TagFields& v2, int8_t preferredVersion);

// The ID3v1 track byte for a track text: a whole number outside 0-255 stores 0 (no track).
// Raises the conversion error for a text that is no whole number.
uint8_t TrackByte(const QString& track);

// The track number of an ID3v2 track text: the digits before the first "/"; 0 when there are
// none or they do not fit a 32-bit number.
int32_t TrackNumber(const QString& frameText);

// Entry `index`, or the empty text when the array is shorter.
const QString& Field(const TagFields& fields, int index);

} // namespace tagaccess::steps
