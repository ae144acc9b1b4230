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

struct FileResult {
    bool ok = true;
    // Whether the command wrote the file (a file whose fields stay as they are is not written).
    bool written = false;
    QString reason;
};

// What a command will do to one file, worked out from its tags as read; the old tags go to the
// undo journal before it is carried out.
struct FilePlan {
    bool exists = false;
    FileTagsBefore before;
    // The fields to write, as their tags store them.
    FileTagsBefore after;
    bool writeId3v1 = false;
    bool writeId3v2 = false;
    bool removeId3v1 = false;
    bool removeId3v2 = false;
    // An emptied tag that must stay in the file as a tag without text.
    bool keepId3v1 = false;
    bool keepId3v2 = false;

    bool TouchesFile() const { return writeId3v1 || writeId3v2 || removeId3v1 || removeId3v2; }
};

FileTagsBefore ReadBothTags(tagaccess::ID3& id3, const QString& path);

// The new fields of the chosen versions, as their tags will store them.
FileTagsBefore ChangedTags(const FileTagsBefore& before, ChosenTags versions, int position,
                           const FieldsChange& change);

// Writes the changed versions only; a file whose fields all stay is not touched.
FilePlan PlanChange(tagaccess::ID3& id3, const QString& path, ChosenTags versions, int position,
                    const FieldsChange& change);

// Empties the seven fields of the chosen versions; a tag that was there stays there, emptied.
FilePlan PlanClear(tagaccess::ID3& id3, const QString& path, ChosenTags versions);

// Takes the chosen tags off the file. A tag that holds no field (an ID3v2 tag of pictures only)
// reads as empty but is removed all the same, so every existing file is touched.
FilePlan PlanRemoval(tagaccess::ID3& id3, const QString& path, ChosenTags versions);

// Carries a plan out; the audio stays as it is.
FileResult CarryOut(tagaccess::ID3& id3, const QString& path, const FilePlan& plan);

// Writes the fields of both versions back as they were kept.
FileResult RestoreFileTags(tagaccess::ID3& id3, const QString& path, const FileTagsBefore& before);

// Why a write into the file did not reach it, in the user's words.
QString WriteFailureReason(const QString& path);

} // namespace organizer
