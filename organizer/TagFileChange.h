#pragma once

#include "ChosenTags.h"
#include "FieldChanges.h"
#include "tagaccess/ID3.h"

#include <QString>
#include <functional>

// One file of a list command: read both tags, keep their old texts, write the changed versions.
namespace organizer {

// Both tags of a file exactly as read before a command changed it.
struct FileTagsBefore {
    tagaccess::TagFields id3v1;
    tagaccess::TagFields id3v2;
};

// Keeps the old texts before the first byte of the file changes; answers why they could not be
// kept (the file is then left alone), or nothing when they were.
using KeepBefore = std::function<QString(const QString& path, const FileTagsBefore& before)>;

struct FileResult {
    bool ok = true;
    // Whether the command wrote the file (a file whose fields stay as they are is not written).
    bool written = false;
    QString reason;
};

FileTagsBefore ReadBothTags(tagaccess::ID3& id3, const QString& path);

// The new fields of the chosen versions, as their tags will store them.
FileTagsBefore ChangedTags(const FileTagsBefore& before, ChosenTags versions, int position,
                           const FieldsChange& change);

FileResult ChangeFileTags(tagaccess::ID3& id3, const QString& path, ChosenTags versions,
                          int position, const FieldsChange& change, const KeepBefore& keep);

// Takes the chosen tags off the file after keeping both tags' texts; the audio stays.
FileResult RemoveFileTags(tagaccess::ID3& id3, const QString& path, ChosenTags versions,
                          const KeepBefore& keep);

// Writes the fields of both versions back as they were kept.
FileResult RestoreFileTags(tagaccess::ID3& id3, const QString& path, const FileTagsBefore& before);

// Why a write into the file did not reach it, in the user's words.
QString WriteFailureReason(const QString& path);

} // namespace organizer
