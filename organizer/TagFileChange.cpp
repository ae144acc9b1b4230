#include "TagFileChange.h"

#include "batch/TagWrite.h"
#include "platform/FileSystem.h"
#include "tagaccess/DllErrors.h"
#include "tagaccess/TDll.h"
#include "tagaccess/TagLibraryEntries.h"

#include <QFileInfo>

namespace organizer {
namespace {

using tagaccess::TagFields;

bool WriteVersion(tagaccess::ID3& id3, const QString& path, int version, const TagFields& fields) {
    return batch::WriteTagVersion(id3, path, version, version == 1 ? AsStored(fields, 1) : fields,
                                  false);
}

FileResult Failed(const QString& path) {
    return {false, true, WriteFailureReason(path)};
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

FilePlan PlanChange(tagaccess::ID3& id3, const QString& path, ChosenTags versions, int position,
                    const FieldsChange& change) {
    FilePlan plan;
    plan.exists = platform::FileExists(path);
    if (!plan.exists)
        return plan;
    plan.before = ReadBothTags(id3, path);
    plan.after = ChangedTags(plan.before, versions, position, change);
    plan.writeId3v1 = plan.after.id3v1 != AsStored(plan.before.id3v1, 1);
    plan.writeId3v2 = plan.after.id3v2 != AsStored(plan.before.id3v2, 2);
    return plan;
}

FilePlan PlanClear(tagaccess::ID3& id3, const QString& path, ChosenTags versions) {
    FilePlan plan = PlanChange(id3, path, versions, 0,
                               [](const TagFields&, int, int) { return ClearedFields(); });
    // A save drops a tag left without text, so an emptied tag is given back as an empty one.
    if (plan.TouchesFile())
        if (const std::optional<tagaccess::AudioFacts> facts = id3.ReadAudioFacts(path, false)) {
            plan.keepId3v1 = plan.writeId3v1 && facts->id3v1;
            plan.keepId3v2 = plan.writeId3v2 && facts->id3v2Version != 0;
        }
    return plan;
}

FilePlan PlanRemoval(tagaccess::ID3& id3, const QString& path, ChosenTags versions) {
    FilePlan plan;
    plan.exists = platform::FileExists(path);
    if (!plan.exists)
        return plan;
    plan.before = ReadBothTags(id3, path);
    plan.removeId3v1 = Includes(versions, 1);
    plan.removeId3v2 = Includes(versions, 2);
    return plan;
}

FileResult CarryOut(tagaccess::ID3& id3, const QString& path, const FilePlan& plan) {
    if (!platform::FileExists(path))
        return {false, false, WriteFailureReason(path)};
    if ((plan.writeId3v1 && !WriteVersion(id3, path, 1, plan.after.id3v1)) ||
        (plan.writeId3v2 && !WriteVersion(id3, path, 2, plan.after.id3v2)) ||
        (plan.removeId3v1 && !id3.RemoveId3v1(path, false)) ||
        (plan.removeId3v2 && !id3.RemoveId3v2(path, false)) ||
        (plan.keepId3v1 && !id3.CreateEmptyTag(path, 1, false)) ||
        (plan.keepId3v2 && !id3.CreateEmptyTag(path, 2, false)))
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
