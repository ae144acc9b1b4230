#include "ProcessFile.h"

#include "FileTagChange.h"
#include "MessageCapture.h"
#include "platform/Exception.h"
#include "tagaccess/TagSteps.h"

#include <algorithm>

namespace tagjobs {

bool HoldsNoTagText(const tagaccess::TagFields& merged) {
    return std::all_of(merged.begin(), merged.end(),
                       [](const QString& text) { return text.isEmpty(); });
}

QString SyncRefusal(const tagaccess::TagFields& merged) {
    if (HoldsNoTagText(merged))
        return QString();
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
    QString unread;
    const std::optional<FileTagsBefore> tags = ReadBothTags(id3, path, &unread);
    if (!tags)
        return FileOutcome::Failed(unread);
    const tagaccess::TagFields merged =
        tagaccess::steps::MergeFields(tags->id3v1, tags->id3v2, preferredVersion);
    // A file without any tag fails the sync on its empty track: an MP3 is left alone, anything
    // else is no file the sync can serve.
    if (HoldsNoTagText(merged))
        return id3.ReadAudioFacts(path, false) ? FileOutcome{false, {}}
                                               : FileOutcome::Failed(kNoMp3);
    const QString refusal = SyncRefusal(merged);
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
