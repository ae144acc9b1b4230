#pragma once

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// Real MP3 files for the tag-access tests, tagged and read back by an independent reader.
namespace tagfiles {

// Writes silent audio plus the tags the JSON describes: {"v1": {title, artist, album, year,
// comment, track, genre}, "v2": {"version": 3|4, "frames": {"TIT2": text or [texts], ...},
// "comments": {description: text or [language, text]}, "pictures": [{type, mime, file}]}}; a
// missing key means no such tag.
QString MakeMp3(const testsupport::TempFolder& folder, const QString& name,
                const QJsonObject& tags = {});

// Both tags as the independent reader sees them: {"v1": {...} or null, "v2": {"version",
// "frames": {"TIT2": text, "COMM::eng": text, "APIC:<description>": {mime, type, size, sha1}}} or
// null}.
QJsonObject ReadTags(const QString& path);
// ReadTags of many files in one run of the reader, in their order.
QJsonArray ReadTagsOfFiles(const QStringList& paths);

// The audio of a file: its bytes without a leading ID3v2 tag and a trailing ID3v1 record.
QByteArray AudioOf(const QString& path);

// Whether "ID3v2Library.dll" from beside the test program is loaded in this process.
bool TagLibraryIsLoaded();

} // namespace tagfiles
