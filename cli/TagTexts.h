#pragma once

#include "CommandLine.h"
#include "tagaccess/ID3.h"
#include "tagaccess/TagFields.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The two tags of one file as the tool reads, prints and plans them.
namespace cli {

struct TagPair {
    tagaccess::TagFields v1 = tagaccess::EmptyTagFields();
    tagaccess::TagFields v2 = tagaccess::EmptyTagFields();
};

// Both tags, one library load each; failures go to the message seam.
TagPair ReadBoth(tagaccess::ID3& id3, const QString& path);

// The major version of the file's ID3v2 tag (2, 3 or 4); 0 when it has none. Audio the library
// cannot read leaves the tags readable, so that is no failure of the file.
int Id3v2Version(tagaccess::ID3& id3, const QString& path);

// The field's name as printed ("Title" ...) and as a JSON key ("title" ...).
QString FieldLabel(int field);
QString FieldKey(int field);

// Both tags side by side in aligned columns, under the file's path; the ID3v2 column's head
// names the tag's version ("ID3v2.4"), "ID3v2 (none)" when the file has no ID3v2 tag.
QString AlignedText(const QString& path, const TagPair& tags, int v2Version);

// {"title": ..., "comment": ...} for one tag.
QJsonObject FieldsObject(const tagaccess::TagFields& fields);

// One line per field that the plan changes: `ID3v1 Title: "old" -> "new"`.
QStringList Differences(const TagPair& now, const TagPair& planned, TagChoice tags);

} // namespace cli
