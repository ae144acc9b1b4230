// sync: merge both tags of every file and write the result into both.
#include "Commands.h"
#include "FileBatch.h"
#include "tagaccess/Id3v1Storage.h"
#include "tagaccess/TagSteps.h"
#include "tagjobs/FileTagChange.h"
#include "tagjobs/ProcessFile.h"

namespace cli {

namespace {

// What the run would do to the file, printed, with every check of the real run but the write.
tagjobs::FileOutcome PlanSync(tagaccess::ID3& id3, const QString& path, int8_t prefer) {
    QString unread;
    const std::optional<tagjobs::FileTagsBefore> now = tagjobs::ReadBothTags(id3, path, &unread);
    if (!now)
        return tagjobs::FileOutcome::Failed(unread);
    const tagaccess::TagFields merged =
        tagaccess::steps::MergeFields(now->id3v1, now->id3v2, prefer);
    if (tagjobs::HoldsNoTagText(merged))
        return id3.ReadAudioFacts(path, false) ? tagjobs::FileOutcome{false, {}}
                                               : tagjobs::FileOutcome::Failed(tagjobs::kNoMp3);
    const QString refusal = tagjobs::SyncRefusal(merged);
    if (!refusal.isEmpty())
        return tagjobs::FileOutcome::Failed(refusal);
    if (!id3.CheckSavable(path, true, true, true))
        return tagjobs::FileOutcome{false, {}};
    PrintPlan(path, {now->id3v1, now->id3v2}, {tagaccess::AsStoredInId3v1(merged), merged}, {});
    return tagjobs::FileOutcome::Done();
}

} // namespace

int RunSync(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    const auto files =
        tagjobs::FileSet::FromPaths(options.paths, tagjobs::FileSet::Given::FilesAndFolders);
    if (options.dryRun)
        tagjobs::RunEach(files, report, QString(), [&](const QString& path, int) {
            return PlanSync(id3, path, options.prefer);
        });
    else
        tagjobs::SyncRun(id3, files, report, options.prefer, tagjobs::SyncFailures::Explained);
    // Untagged files are common in a library and no failure: counted, not listed.
    if (report.Skipped() > 0)
        PrintNote(
            report.Skipped() == 1
                ? QStringLiteral("1 file without tag text, left alone\n")
                : QStringLiteral("%1 files without tag text, left alone\n").arg(report.Skipped()));
    return report.ExitCode();
}

} // namespace cli
