#pragma once

#include "TagFields.h"

#include <QStringList>

// What each tag version keeps of the seven texts once written: the one rule the previews, the
// batch runs' "does this change anything" and the shell's dry runs all compare by.
namespace tagaccess {

// A text as an ID3v1 record encodes it: whole when it is all Latin-1 or all Windows-1251, else
// with "?" for every character beyond Latin-1.
QString AsEncodedInId3v1(const QString& text);

// The texts among the fields that an ID3v1 record would not keep whole (see AsEncodedInId3v1).
QStringList TextsId3v1Garbles(const TagFields& fields);

// An ID3v1 record keeps each text encoded as above and cut to its field's width (30 for title,
// artist, album and comment, 4 for the year; 28 for the comment beside a track) without trailing
// blanks, the genre as a name of the genre list (none for any other text) and the track as a number
// of 0-255, "0" for none (a text that is no whole number or lies outside 1-255 stores none).
TagFields AsStoredInId3v1(const TagFields& fields);

// An ID3v2 tag keeps every text whole; a track of "0" is no track, as an empty one is.
TagFields AsStoredInId3v2(const TagFields& fields);

// AsStoredInId3v1 for version 1, AsStoredInId3v2 for any other.
TagFields AsStored(const TagFields& fields, int version);

} // namespace tagaccess
