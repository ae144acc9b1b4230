#include "ProcessFile.h"

#include "MessageCapture.h"
#include "RunKinds.h"
#include "platform/Exception.h"
#include "tagaccess/Id3v1Storage.h"
#include "tagaccess/TagSteps.h"

#include <algorithm>
#include <map>

namespace tagjobs {
namespace {

using tagaccess::AsStored;
using tagaccess::TagFields;

// Passes everything on to the run's own observer, and each ended file to `ended` as well.
class EndsHeard final : public RunObserver {
  public:
    EndsHeard(RunObserver& inner, const SyncHeard& ended) : inner_(inner), ended_(ended) {}
    void RunBegins(const QString& caption, int total) override { inner_.RunBegins(caption, total); }
    void FileBegins(const QString& path) override { inner_.FileBegins(path); }
    void FileEnds(const QString& path, const FileOutcome& outcome) override {
        if (ended_) {
            const auto tags = read.find(path);
            ended_(path, outcome.done, tags != read.end() ? &tags->second : nullptr);
            if (tags != read.end())
                read.erase(tags);
        }
        inner_.FileEnds(path, outcome);
    }

    // The tags of the files as the run last read them, until they end.
    std::map<QString, FileTagsBefore> read;
    bool ShouldStop() override { return inner_.ShouldStop(); }
    void RunEnds() override { inner_.RunEnds(); }
    QString FrontEnd() const override { return inner_.FrontEnd(); }

  private:
    RunObserver& inner_;
    const SyncHeard& ended_;
};

} // namespace

bool HoldsNoTagText(const TagFields& merged) {
    return std::all_of(merged.begin(), merged.end(),
                       [](const QString& text) { return text.isEmpty(); });
}

QString SyncRefusal(const TagFields& merged) {
    if (HoldsNoTagText(merged))
        return QString();
    try {
        tagaccess::steps::TrackByte(tagaccess::steps::Field(merged, tagaccess::kTrack));
    } catch (const platform::Exception& failure) {
        return failure.Message();
    }
    return QString();
}

FilePlan PlanSync(tagaccess::ID3& id3, const QString& path, int8_t preferredVersion,
                  SyncFailures failures) {
    FilePlan plan;
    TagFields merged;
    bool withoutText = false;
    const MessageCapture said;
    // The old tags' bytes are read in the same load, only for a file the sync will change; and
    // for a file without tag text where the run says why it leaves a file: they read only from
    // an MP3, so no second load need ask whether the file is one.
    const auto read = id3.ReadTagsAndRegions(
        path,
        [&](const TagFields& id3v1, const TagFields& id3v2) {
            merged = tagaccess::steps::MergeFields(id3v1, id3v2, preferredVersion);
            withoutText = HoldsNoTagText(merged);
            if (withoutText)
                return failures == SyncFailures::Explained;
            return SyncRefusal(merged).isEmpty() && (AsStored(merged, 1) != AsStored(id3v1, 1) ||
                                                     AsStored(merged, 2) != AsStored(id3v2, 2));
        },
        true);
    // A file without any tag is left alone when it is an MP3; anything else is no file the sync
    // can serve.
    if (withoutText && said.Text().isEmpty()) {
        if (read)
            plan.before = {read->id3v1, read->id3v2};
        if (read || failures == SyncFailures::Counted)
            plan.leftAlone = true;
        else
            plan.refusal = kNoMp3;
        return plan;
    }
    if (!read) {
        plan.refusal = UnreadReason(path, said.Text());
        return plan;
    }
    plan.before = {read->id3v1, read->id3v2};
    plan.refusal = SyncRefusal(merged);
    plan.after = {AsStored(merged, 1), AsStored(merged, 2)};
    if (read->regions) {
        plan.regions = read->regions;
        plan.syncPreferring = preferredVersion;
    }
    return plan;
}

TagRow ReadRow(tagaccess::ID3& id3, const QString& path, bool useId3v1) {
    return RowOf(path, useId3v1 ? id3.ReadId3v1(path, false) : id3.ReadId3v2(path, false));
}

TagRow RowOf(const QString& path, const TagFields& fields) {
    TagRow row;
    row[0] = path;
    for (size_t k = 0; k < 6; ++k)
        row[k + 1] = k < fields.size() ? fields[k] : QString();
    return row;
}

TagsRunResult SyncRun(tagaccess::ID3& id3, const FileSet& files, RunObserver& observer,
                      int8_t preferredVersion, SyncFailures failures, const SyncHeard& synced) {
    EndsHeard heard(observer, synced);
    return RunTagChanges(
        id3, files, heard, kSyncCommand,
        [&heard, preferredVersion, failures, keep = bool(synced)](tagaccess::ID3& id3,
                                                                  const QString& path, int) {
            FilePlan plan = PlanSync(id3, path, preferredVersion, failures);
            if (keep && plan.refusal.isEmpty() && !plan.leftAlone && !plan.TouchesFile())
                heard.read.emplace(path, plan.before);
            return plan;
        },
        QString(),
        [&heard, keep = bool(synced)](tagaccess::ID3& id3, const QString& path,
                                      const FilePlan& plan,
                                      std::optional<tagaccess::TagRegions>& left) {
            tagaccess::ID3::SyncLeft after;
            after.fields = keep;
            const FileOutcome outcome = CarryOut(id3, path, plan, left, &after);
            if (after.id3v1 && after.id3v2)
                heard.read.insert_or_assign(path, FileTagsBefore{*after.id3v1, *after.id3v2});
            return outcome;
        });
}

} // namespace tagjobs
