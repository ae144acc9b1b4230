#include "FileTagChange.h"

#include "KeptRegions.h"
#include "MessageCapture.h"
#include "platform/FileSystem.h"
#include "platform/FolderLocks.h"
#include "tagaccess/DllErrors.h"
#include "tagaccess/Id3v1Storage.h"
#include "tagaccess/TDll.h"
#include "tagaccess/TagLibraryEntries.h"

#include <QFileInfo>
#include <algorithm>

namespace tagjobs {
namespace {

using tagaccess::AsStored;
using tagaccess::TagFields;

// Why nothing can be written into the file as it stands: it is gone or read-only, or the tag
// library cannot be loaded. Empty when none of these holds.
QString BlockedReason(const QString& path) {
    if (!platform::FileExists(path))
        return QStringLiteral("the file no longer exists");
    if (!QFileInfo(path).isWritable())
        return QStringLiteral("the file is read-only");
    try {
        const tagaccess::TDll library(tagaccess::kTagLibraryName);
    } catch (const tagaccess::EDllError& e) {
        return e.Message();
    }
    return QString();
}

// The outcome of writes whose messages were kept: the clearest reason the file gives, else what
// the tag library said.
FileOutcome Written(bool ok, const QString& path, const MessageCapture& said) {
    if (ok)
        return FileOutcome::Done();
    QString reason = BlockedReason(path);
    if (reason.isEmpty())
        reason = said.Any() ? said.Text()
                            : QStringLiteral("the tag library could not write its tags (the file "
                                             "holds no MPEG audio, or a damaged tag)");
    return FileOutcome::Failed(reason);
}

// The picture file attached as the front cover, every text frame as it was.
bool AttachFrontCover(tagaccess::ID3& id3, const QString& path, const QString& picture) {
    TagFields fields(tagaccess::kTagFieldCountWithPicture);
    fields[tagaccess::kPicture] = picture;
    return id3.WriteId3v2Fields(path, fields, tagaccess::FieldMask{}, true);
}

FilePlan ReadPlan(tagaccess::ID3& id3, const QString& path) {
    FilePlan plan;
    if (!platform::FileExists(path)) {
        plan.refusal = QStringLiteral("the file no longer exists");
        return plan;
    }
    if (std::optional<FileTagsBefore> before = ReadBothTags(id3, path, &plan.refusal))
        plan.before = std::move(*before);
    return plan;
}

} // namespace

std::vector<FileTags> ReadTagsOf(tagaccess::ID3& id3, const FileSet& files, RunObserver& observer,
                                 RunCount* count) {
    std::vector<FileTags> read;
    const RunCount taken =
        RunEach(files, observer, QStringLiteral("Reading tags..."), [&](const QString& path, int) {
            QString failure;
            std::optional<FileTagsBefore> tags = ReadBothTags(id3, path, &failure);
            if (!tags)
                return FileOutcome::Failed(failure);
            read.push_back({path, std::move(*tags)});
            return FileOutcome::Done();
        });
    if (count)
        *count = taken;
    return read;
}

std::optional<tagaccess::TagFields> ReadTag(tagaccess::ID3& id3, const QString& path, int version,
                                            QString* failure) {
    const MessageCapture said;
    TagFields tag = version == 1 ? id3.ReadId3v1(path, true) : id3.ReadId3v2(path, true);
    if (!said.Any())
        return tag;
    if (failure)
        *failure = QStringLiteral("its tags could not be read: ") + said.Text();
    return std::nullopt;
}

QString UnreadReason(const QString& path, const QString& said) {
    return platform::FileExists(path) ? QStringLiteral("its tags could not be read: ") + said
                                      : QStringLiteral("the file no longer exists");
}

std::optional<FileTagsBefore> ReadBothTags(tagaccess::ID3& id3, const QString& path,
                                           QString* failure) {
    std::optional<TagFields> v1 = ReadTag(id3, path, 1, failure);
    std::optional<TagFields> v2 = v1 ? ReadTag(id3, path, 2, failure) : std::nullopt;
    if (!v2)
        return std::nullopt;
    return FileTagsBefore{std::move(*v1), std::move(*v2)};
}

FileTagsBefore ChangedTags(const FileTagsBefore& before, ChosenTags versions, int position,
                           const FieldsChange& change, QString* id3v1Refusal) {
    FileTagsBefore after = {AsStored(before.id3v1, 1), AsStored(before.id3v2, 2)};
    if (Includes(versions, 1)) {
        const TagFields wanted = change(before.id3v1, 1, position);
        // An ID3v1 record holds a text in Latin-1 or in Windows-1251, not in both at once: such
        // a text would be stored with "?" for letters, so that tag is left as it was.
        const QStringList garbled = tagaccess::TextsId3v1Garbles(wanted);
        if (garbled.isEmpty())
            after.id3v1 = AsStored(wanted, 1);
        else if (id3v1Refusal && AsStored(wanted, 1) != after.id3v1)
            *id3v1Refusal = QStringLiteral("cannot be stored in ID3v1 (\"%1\" mixes letters no "
                                           "ID3v1 text can hold together): its ID3v1 tag is left "
                                           "as it was")
                                .arg(garbled.front());
    }
    if (Includes(versions, 2))
        after.id3v2 = AsStored(change(before.id3v2, 2, position), 2);
    return after;
}

FilePlan PlanChange(tagaccess::ID3& id3, const QString& path, ChosenTags versions, int position,
                    const FieldsChange& change) {
    FilePlan plan = ReadPlan(id3, path);
    if (!plan.refusal.isEmpty())
        return plan;
    plan.after = ChangedTags(plan.before, versions, position, change, &plan.id3v1Refusal);
    plan.writeId3v1 = plan.after.id3v1 != AsStored(plan.before.id3v1, 1);
    plan.writeId3v2 = plan.after.id3v2 != AsStored(plan.before.id3v2, 2);
    return plan;
}

FilePlan PlanClear(tagaccess::ID3& id3, const QString& path, ChosenTags versions) {
    FilePlan plan = PlanChange(id3, path, versions, 0, [](const TagFields&, int, int) {
        return tagaccess::EmptyTagFields();
    });
    // A save drops a tag left without text, so an emptied tag is given back as an empty one.
    if (plan.TouchesFile())
        if (const std::optional<tagaccess::AudioFacts> facts = id3.ReadAudioFacts(path, false)) {
            plan.keepId3v1 = plan.writeId3v1 && facts->id3v1;
            plan.keepId3v2 = plan.writeId3v2 && facts->id3v2Version != 0;
        }
    return plan;
}

FilePlan PlanRemoval(tagaccess::ID3& id3, const QString& path, ChosenTags versions) {
    FilePlan plan = ReadPlan(id3, path);
    if (!plan.refusal.isEmpty())
        return plan;
    plan.removeId3v1 = Includes(versions, 1);
    plan.removeId3v2 = Includes(versions, 2);
    return plan;
}

FilePlan PlanPictures(tagaccess::ID3& id3, const QString& path, int removedType,
                      const QString& addedPicture) {
    FilePlan plan = ReadPlan(id3, path);
    if (!plan.refusal.isEmpty())
        return plan;
    plan.after = plan.before;
    if (!id3.ReadAudioFacts(path, false)) {
        plan.refusal = kNoMp3;
        return plan;
    }
    const std::vector<tagaccess::TagPicture> pictures = id3.ReadPictures(path, false);
    if (std::any_of(pictures.begin(), pictures.end(), [&](const tagaccess::TagPicture& picture) {
            return picture.type == removedType;
        }))
        plan.removedPictureType = removedType;
    plan.addedPicture = addedPicture;
    return plan;
}

FilePlan PlanConversion(tagaccess::ID3& id3, const QString& path, int version) {
    FilePlan plan = ReadPlan(id3, path);
    if (!plan.refusal.isEmpty())
        return plan;
    plan.after = plan.before;
    const std::optional<tagaccess::AudioFacts> facts = id3.ReadAudioFacts(path, false);
    if (!facts)
        plan.refusal = kNoMp3;
    else if (facts->id3v2Version != 0 && facts->id3v2Version != version)
        plan.convertTo = version;
    return plan;
}

FileOutcome CarryOut(tagaccess::ID3& id3, const QString& path, const FilePlan& plan,
                     std::optional<tagaccess::TagRegions>& left, tagaccess::ID3::SyncLeft* synced) {
    if (!platform::FileExists(path))
        return FileOutcome::Failed(QStringLiteral("the file no longer exists"));
    const MessageCapture said;
    if (plan.syncPreferring != 0) {
        tagaccess::ID3::SyncLeft own;
        tagaccess::ID3::SyncLeft& after = synced ? *synced : own;
        const bool ok = id3.SyncTags(path, plan.syncPreferring, true, &after);
        left = after.regions;
        return Written(ok, path, said);
    }
    const bool ok =
        (!plan.writeId3v1 ||
         WriteTagVersion(id3, path, 1, plan.after.id3v1, plan.before.id3v1, true)) &&
        (!plan.writeId3v2 ||
         WriteTagVersion(id3, path, 2, plan.after.id3v2, plan.before.id3v2, true)) &&
        (!plan.removeId3v1 || id3.RemoveId3v1(path, true)) &&
        (!plan.removeId3v2 || id3.RemoveId3v2(path, true)) &&
        (!plan.keepId3v1 || id3.CreateEmptyTag(path, 1, true)) &&
        (!plan.keepId3v2 || id3.CreateEmptyTag(path, 2, true)) &&
        (plan.removedPictureType < 0 || id3.RemovePictures(path, plan.removedPictureType, true)) &&
        (plan.addedPicture.isEmpty() || AttachFrontCover(id3, path, plan.addedPicture)) &&
        (plan.convertTo == 0 ||
         id3.ConvertId3v2(path, plan.convertTo, tagaccess::ID3::Unconverted::Refuse, true));
    // Read even when a write failed half-way: an undo then restores what was written.
    left = id3.ReadTagRegions(path, false);
    return Written(ok, path, said);
}

FileOutcome RestoreFileTags(tagaccess::ID3& id3, const KeptTags& kept,
                            const std::optional<tagaccess::TagRegions>& whole, bool* textsOnly) {
    const QString& path = kept.path;
    if (!platform::FileExists(path))
        return FileOutcome::Failed(QStringLiteral("the file no longer exists"));
    const platform::FolderLocks lock({path});
    if (!lock.Held())
        return FileOutcome::Failed(lock.Failure());
    const MessageCapture said;
    if (whole) {
        const std::optional<tagaccess::TagRegions> now = id3.ReadTagRegions(path, true);
        // A file the run never changed (its write failed before a byte) has nothing to undo.
        if (now == whole)
            return FileOutcome{false, {}};
        if (now && (kept.after.isEmpty() || RegionsDigest(*now) == kept.after))
            return Written(id3.WriteTagRegions(path, *whole, true), path, said);
        if (textsOnly)
            *textsOnly = true;
    }
    QString failure;
    const std::optional<FileTagsBefore> now = ReadBothTags(id3, path, &failure);
    if (!now)
        return FileOutcome::Failed(failure);
    const auto restore = [&](int version, const std::optional<TagFields>& texts,
                             const TagFields& current) {
        return !texts || AsStored(*texts, version) == AsStored(current, version) ||
               WriteTagVersion(id3, path, version, *texts, current, true);
    };
    const bool ok = restore(1, kept.id3v1, now->id3v1) && restore(2, kept.id3v2, now->id3v2);
    return Written(ok, path, said);
}

bool WriteTagVersion(tagaccess::ID3& id3, const QString& path, int version, const TagFields& fields,
                     const TagFields& now, bool showErrors) {
    TagFields stored = AsStored(fields, version);
    if (version == 1)
        return id3.WriteId3v1(path, stored, showErrors);
    const TagFields was = AsStored(now, version);
    tagaccess::FieldMask changed{};
    for (size_t k = 0; k < changed.size(); ++k)
        changed[k] = stored[k] != was[k];
    // No picture to attach: the tag keeps its own.
    stored.resize(size_t(tagaccess::kTagFieldCountWithPicture));
    return id3.WriteId3v2Fields(path, stored, changed, showErrors);
}

} // namespace tagjobs
