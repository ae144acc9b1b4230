#pragma once

#include "FileTagChange.h"
#include "journal/JournalReader.h"

#include <QJsonObject>
#include <optional>
#include <vector>

// How every tag-changing run keeps a file's old texts in its journal, window or shell alike.
//
// Before a batch of changes, per file to change: {"kind":"tags","path":...,"id3v1":[7 texts],
// "id3v2":[7 texts],"regions":{...}}, the regions as KeptRegions.h keeps them, after the pieces
// they name; after a file's change: {"kind":"tags-carried-out","path":...,"after":<digest>}, the
// digest of the regions the change left.
namespace tagjobs {

// `regions` is empty where the file's regions could not be read: its texts alone are kept.
QJsonObject TagsRecord(const QString& path, const FileTagsBefore& before,
                       const QJsonObject& regions);

// The record that a file's change was carried out (its old tags were recorded before); `after` is
// empty where the regions it left could not be read.
QJsonObject CarriedOutRecord(const QString& path, const QString& after);

// The files whose old tags an undo of the journal writes back, newest first: of a run that ended,
// those it changed; of a run that died, every file it recorded (those it never reached still hold
// their old tags and are left alone).
std::vector<KeptTags> FilesToRestore(const journal::JournalInfo& journal);

} // namespace tagjobs
