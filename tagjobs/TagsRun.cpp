#include "TagsRun.h"

#include "KeptRegions.h"
#include "RunKinds.h"
#include "TagsJournal.h"
#include "journal/JournalWriter.h"
#include "platform/FolderLocks.h"

#include <map>
#include <utility>

namespace tagjobs {
namespace {

// Files whose old tags go to the journal together, with one wait for the disk.
constexpr size_t kJournalBatch = 64;

} // namespace

TagsRunResult RunTagChanges(tagaccess::ID3& id3, const FileSet& files, RunObserver& observer,
                            const QString& command, const FilePlanner& planner,
                            const QString& caption, const FileCarrier& carrier) {
    TagsRunResult result;
    journal::JournalWriter writer(command, journal::DefaultJournalFolder(),
                                  {{journal::kFrontEndKey, observer.FrontEnd()}});
    if (!writer.IsOpen()) {
        result.journalError = writer.ErrorText();
        return result;
    }
    const std::vector<QString>& listed = files.ListedPaths();
    result.results.resize(listed.size());
    // Files are planned a batch ahead, so that a batch's old tags reach the disk together with
    // the names of the files the batch before changed, with one wait for the disk.
    std::map<int, FilePlan> plans;
    std::vector<QJsonObject> carriedOut;
    int carried = 0;
    RegionWriter regions;
    // A file's folder stays locked from the read its plan is made of to its last save: a batch's
    // folders for the whole batch.
    std::optional<platform::FolderLocks> batchLock;
    // A file's old tags, whole where its regions can be read, into `records`.
    // The regions leave the plan: a batch of plans holding their pictures would hold megabytes.
    const auto record = [&](const QString& path, FilePlan& plan,
                            std::vector<QJsonObject>& records) {
        QJsonObject kept;
        const std::optional<tagaccess::TagRegions> read =
            plan.regions ? std::exchange(plan.regions, {}) : id3.ReadTagRegions(path, false);
        if (read)
            kept = regions.Keep(*read, records);
        records.push_back(TagsRecord(path, plan.before, kept));
    };
    const auto keep = [&](std::vector<QJsonObject> records) {
        if (result.journalError.isEmpty() && !writer.AppendAll(records))
            result.journalError = writer.ErrorText();
    };
    const auto planBatch = [&](const std::vector<ComingFile>& batch) {
        plans.clear();
        QStringList paths;
        for (const ComingFile& file : batch)
            paths << file.path;
        // The batch before lets go of its folders first: emplace ends the lock held.
        batchLock.emplace(paths);
        std::vector<QJsonObject> records = std::exchange(carriedOut, {});
        for (const ComingFile& file : batch) {
            FilePlan& plan = plans[file.index];
            if (!batchLock->Held()) {
                plan.refusal = batchLock->Failure();
                continue;
            }
            plan = planner(id3, file.path, file.index);
            if (plan.refusal.isEmpty() && plan.TouchesFile())
                record(file.path, plan, records);
        }
        keep(std::move(records));
    };
    const auto job = [&](const QString& path, int index) {
        const size_t i = size_t(index);
        const auto planned = plans.find(index);
        // Every file the run is given was planned with its batch.
        if (planned == plans.end())
            return FileOutcome::Failed(QStringLiteral("not written: it was not read first"));
        const FilePlan plan = std::exchange(planned->second, {});
        FileOutcome outcome;
        if (!plan.refusal.isEmpty()) {
            outcome = FileOutcome::Failed(plan.refusal);
        } else if (plan.leftAlone) {
            outcome = FileOutcome{false, {}};
        } else if (!plan.TouchesFile()) {
            if (plan.id3v1Refusal.isEmpty())
                ++result.unchanged;
            else
                outcome = FileOutcome::Failed(plan.id3v1Refusal);
        } else if (!result.journalError.isEmpty()) {
            outcome = FileOutcome::Failed(
                QStringLiteral("not written: its old tags could not be kept for undo (%1)")
                    .arg(result.journalError));
        } else {
            std::optional<tagaccess::TagRegions> left;
            outcome = carrier ? carrier(id3, path, plan, left) : CarryOut(id3, path, plan, left);
            // Marked even when the write failed half-way: an undo then restores what was written.
            carriedOut.push_back(CarriedOutRecord(path, left ? RegionsDigest(*left) : QString()));
            ++carried;
            if (outcome.done) {
                ++result.written;
                result.touched.push_back(path);
                if (!plan.id3v1Refusal.isEmpty())
                    outcome = FileOutcome::Failed(QStringLiteral("ID3v2 written, but ") +
                                                  plan.id3v1Refusal);
            }
        }
        if (!outcome.done && !outcome.failure.isEmpty())
            ++result.failed;
        if (i < result.results.size())
            result.results[i] = plan.leftAlone       ? QStringLiteral("left alone")
                                : !outcome.done      ? outcome.failure
                                : plan.TouchesFile() ? QStringLiteral("written")
                                                     : QStringLiteral("unchanged");
        return outcome;
    };
    result.count = RunEach(files, observer, caption, job, planBatch, kJournalBatch);
    batchLock.reset();
    // A run that changed no file takes no undo slot.
    if (carried == 0) {
        writer.Discard();
        return result;
    }
    keep(std::move(carriedOut));
    writer.End();
    return result;
}

FilePlanner ChangePlanner(ChosenTags versions, FieldsChange change) {
    return [versions, change = std::move(change)](tagaccess::ID3& id3, const QString& path,
                                                  int index) {
        return PlanChange(id3, path, versions, index + 1, change);
    };
}

FilePlanner ClearPlanner(ChosenTags versions) {
    return [versions](tagaccess::ID3& id3, const QString& path, int) {
        return PlanClear(id3, path, versions);
    };
}

FilePlanner ConversionPlanner(int version) {
    return [version](tagaccess::ID3& id3, const QString& path, int) {
        return PlanConversion(id3, path, version);
    };
}

FilePlanner PicturesPlanner(int removedType, const QString& addedPicture) {
    return [removedType, addedPicture](tagaccess::ID3& id3, const QString& path, int) {
        return PlanPictures(id3, path, removedType, addedPicture);
    };
}

FilePlanner RemovalPlanner(ChosenTags versions) {
    return [versions](tagaccess::ID3& id3, const QString& path, int) {
        return PlanRemoval(id3, path, versions);
    };
}

} // namespace tagjobs
