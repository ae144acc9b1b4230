#pragma once

#include "tagaccess/ID3.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <optional>

// How the batch commands write one tag version's texts and keep old texts in their journals.
namespace batch {

// Writes the seven texts into the tag of that version (1 or 2). An ID3v1 tag stores "no track" as
// 0; an ID3v2 tag is given no picture to attach, so it keeps its own.
bool WriteTagVersion(tagaccess::ID3& id3, const QString& path, int version,
                     tagaccess::TagFields fields, bool showErrors);

// A tag's seven texts as a journal record keeps them, and back; nothing for a damaged entry.
QJsonArray FieldsToJson(const tagaccess::TagFields& fields);
std::optional<tagaccess::TagFields> FieldsFromJson(const QJsonValue& value);

} // namespace batch
