// sync: merge both tags of every file and write the result into both.
#include "Commands.h"
#include "FileBatch.h"
#include "tagaccess/Id3v1Storage.h"
#include "tagaccess/TagSteps.h"
#include "tagjobs/ProcessFile.h"

namespace cli {

int RunSync(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    const auto files =
        tagjobs::FileSet::FromPaths(options.paths, tagjobs::FileSet::Given::FilesAndFolders);
    if (!options.dryRun) {
        tagjobs::SyncRun(id3, files, report, options.prefer, tagjobs::SyncFailures::Explained);
        return report.ExitCode();
    }
    tagjobs::RunEach(files, report, QString(), [&](const QString& path, int) {
        const TagPair now = ReadBoth(id3, path);
        const tagaccess::TagFields merged =
            tagaccess::steps::MergeFields(now.v1, now.v2, options.prefer);
        const QString refusal = tagjobs::SyncRefusal(merged);
        if (!refusal.isEmpty())
            return tagjobs::FileOutcome::Failed(refusal);
        PrintPlan(path, now, {tagaccess::AsStoredInId3v1(merged), merged}, {});
        return tagjobs::FileOutcome::Done();
    });
    return report.ExitCode();
}

} // namespace cli
