#pragma once

#include "FileTagChange.h"
#include "journal/JournalReader.h"

#include <QJsonObject>
#include <optional>
#include <vector>

// How every tag-changing run keeps a file's old texts in its journal, window or shell alike.
//
// Before a batch of changes: {"kind":"tags","path":...,"id3v1":[7 texts],"id3v2":[7 texts]} per
// file to change; after a file's change: {"kind":"tags-carried-out","path":...}.
namespace tagjobs {

QJsonObject TagsRecord(const QString& path, const FileTagsBefore& before);

// The record that a file's change was carried out (its old tags were recorded before).
QJsonObject CarriedOutRecord(const QString& path);

// A file's kept texts; a version the record does not hold is not restored.
struct KeptTags {
    QString path;
    std::optional<tagaccess::TagFields> id3v1;
    std::optional<tagaccess::TagFields> id3v2;
};

// The files whose old tags an undo of the journal writes back, newest first: of a run that ended,
// those it changed; of a run that died, every file it recorded (those it never reached still hold
// their old tags and are left alone).
std::vector<KeptTags> FilesToRestore(const journal::JournalInfo& journal);

} // namespace tagjobs
