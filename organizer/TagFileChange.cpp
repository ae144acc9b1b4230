#include "TagFileChange.h"

#include "platform/FileSystem.h"
#include "tagaccess/DllErrors.h"
#include "tagaccess/TDll.h"
#include "tagaccess/TagLibraryEntries.h"

#include <QFileInfo>
#include <optional>

namespace organizer {
namespace {

using tagaccess::TagFields;

// The ID3v2 write takes an eighth entry, a picture to attach: none here, so pictures stay.
TagFields WithoutPicture(const TagFields& fields) {
    TagFields entries = fields;
    entries.resize(tagaccess::kTagFieldCountWithPicture);
    return entries;
}

bool WriteVersion(tagaccess::ID3& id3, const QString& path, int version, const TagFields& fields) {
    return version == 1 ? id3.WriteId3v1(path, AsStored(fields, 1), false)
                        : id3.WriteId3v2(path, WithoutPicture(fields), false);
}

FileResult Failed(const QString& path) {
    return {false, true, WriteFailureReason(path)};
}

// Keeps the file's old tags; a result that ends the file's work when they could not be kept.
std::optional<FileResult> NotKept(const KeepBefore& keep, const QString& path,
                                  const FileTagsBefore& before) {
    const QString why = keep(path, before);
    if (why.isEmpty())
        return std::nullopt;
    return FileResult{false, false,
                      QStringLiteral("its old tags could not be kept for undo (%1)").arg(why)};
}

} // namespace

FileTagsBefore ReadBothTags(tagaccess::ID3& id3, const QString& path) {
    return {id3.ReadId3v1(path, false), id3.ReadId3v2(path, false)};
}

FileTagsBefore ChangedTags(const FileTagsBefore& before, ChosenTags versions, int position,
                           const FieldsChange& change) {
    FileTagsBefore after = {AsStored(before.id3v1, 1), AsStored(before.id3v2, 2)};
    if (Includes(versions, 1))
        after.id3v1 = AsStored(change(before.id3v1, 1, position), 1);
    if (Includes(versions, 2))
        after.id3v2 = AsStored(change(before.id3v2, 2, position), 2);
    return after;
}

FileResult ChangeFileTags(tagaccess::ID3& id3, const QString& path, ChosenTags versions,
                          int position, const FieldsChange& change, const KeepBefore& keep) {
    if (!platform::FileExists(path))
        return {false, false, WriteFailureReason(path)};
    const FileTagsBefore before = ReadBothTags(id3, path);
    const FileTagsBefore after = ChangedTags(before, versions, position, change);
    const bool v1Changes = after.id3v1 != AsStored(before.id3v1, 1);
    const bool v2Changes = after.id3v2 != AsStored(before.id3v2, 2);
    if (!v1Changes && !v2Changes)
        return {};
    if (const auto notKept = NotKept(keep, path, before))
        return *notKept;
    if (v1Changes && !WriteVersion(id3, path, 1, after.id3v1))
        return Failed(path);
    if (v2Changes && !WriteVersion(id3, path, 2, after.id3v2))
        return Failed(path);
    return {true, true, {}};
}

FileResult RemoveFileTags(tagaccess::ID3& id3, const QString& path, ChosenTags versions,
                          const KeepBefore& keep) {
    if (!platform::FileExists(path))
        return {false, false, WriteFailureReason(path)};
    // A tag that holds no field (an ID3v2 tag of pictures only) reads as empty but is still
    // removed, so every file of the command is kept and goes through the removal.
    if (const auto notKept = NotKept(keep, path, ReadBothTags(id3, path)))
        return *notKept;
    if (Includes(versions, 1) && !id3.RemoveId3v1(path, false))
        return Failed(path);
    if (Includes(versions, 2) && !id3.RemoveId3v2(path, false))
        return Failed(path);
    return {true, true, {}};
}

FileResult RestoreFileTags(tagaccess::ID3& id3, const QString& path, const FileTagsBefore& before) {
    if (!platform::FileExists(path))
        return {false, false, WriteFailureReason(path)};
    if (!WriteVersion(id3, path, 1, before.id3v1) || !WriteVersion(id3, path, 2, before.id3v2))
        return Failed(path);
    return {true, true, {}};
}

QString WriteFailureReason(const QString& path) {
    if (!platform::FileExists(path))
        return QStringLiteral("the file no longer exists");
    if (!QFileInfo(path).isWritable())
        return QStringLiteral("the file is read-only");
    try {
        const tagaccess::TDll library(tagaccess::kTagLibraryName);
    } catch (const tagaccess::EDllError& e) {
        return e.Message();
    }
    return QStringLiteral("the tag library could not write its tags (the file holds no MPEG "
                          "audio, or a damaged tag)");
}

} // namespace organizer
