#include "ProcessFile.h"

#include "MessageCapture.h"
#include "platform/Exception.h"
#include "tagaccess/TagSteps.h"

#include <algorithm>

namespace tagjobs {

QString SyncRefusal(const tagaccess::TagFields& merged) {
    // A file without any tag fails the sync on its empty track; say what the user can act on.
    if (std::all_of(merged.begin(), merged.end(),
                    [](const QString& text) { return text.isEmpty(); }))
        return QStringLiteral("has no ID3v1 or ID3v2 tag with text to synchronise");
    try {
        tagaccess::steps::TrackByte(tagaccess::steps::Field(merged, tagaccess::kTrack));
    } catch (const platform::Exception& failure) {
        return failure.Message();
    }
    return QString();
}

FileOutcome SyncFile(tagaccess::ID3& id3, const QString& path, int8_t preferredVersion,
                     SyncFailures failures) {
    const MessageCapture said;
    if (id3.SyncTags(path, preferredVersion, true))
        return FileOutcome::Done();
    if (failures == SyncFailures::Counted)
        return FileOutcome{false, {}};
    const QString refusal = SyncRefusal(tagaccess::steps::MergeFields(
        id3.ReadId3v1(path, false), id3.ReadId3v2(path, false), preferredVersion));
    if (!refusal.isEmpty())
        return FileOutcome::Failed(refusal);
    return FileOutcome::Failed(said.Any() ? said.Text()
                                          : QStringLiteral("the tag library could not write"));
}

TagRow ReadRow(tagaccess::ID3& id3, const QString& path, bool useId3v1) {
    const tagaccess::TagFields fields =
        useId3v1 ? id3.ReadId3v1(path, false) : id3.ReadId3v2(path, false);
    TagRow row;
    row[0] = path;
    for (size_t k = 0; k < 6; ++k)
        row[k + 1] = k < fields.size() ? fields[k] : QString();
    return row;
}

std::optional<TagRow> ProcessFile(tagaccess::ID3& id3, const QString& path, bool useId3v1) {
    if (!id3.SyncTags(path, kPreferV2, false))
        return std::nullopt;
    return ReadRow(id3, path, useId3v1);
}

RunCount SyncRun(tagaccess::ID3& id3, const FileSet& files, RunObserver& observer,
                 int8_t preferredVersion, SyncFailures failures,
                 const std::function<void(const QString& path, bool synced)>& synced) {
    return RunEach(files, observer, QString(), [&](const QString& path, int) {
        const FileOutcome outcome = SyncFile(id3, path, preferredVersion, failures);
        if (synced)
            synced(path, outcome.done);
        return outcome;
    });
}

} // namespace tagjobs
