// sync: merge both tags of every file and write the result into both.
#include "Commands.h"
#include "FileBatch.h"
#include "platform/OneCpu.h"
#include "tagaccess/TagSteps.h"

namespace cli {

int RunSync(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    // A batch loads and unloads the tag library for every file; on one CPU that costs least
    // (see OneCpu).
    const platform::OneCpu pinned;
    ForEachFileOrFolder(options.paths, report, [&](const QString& path) {
        if (!options.dryRun) {
            id3.SyncTags(path, options.prefer, true);
            return;
        }
        const TagPair now = ReadBoth(id3, path);
        const tagaccess::TagFields merged =
            tagaccess::steps::MergeFields(now.v1, now.v2, options.prefer);
        try {
            // The sync itself would stop here, before writing anything.
            tagaccess::steps::TrackByte(merged[tagaccess::kTrack]);
        } catch (const platform::Exception& failure) {
            report.Fail(failure.Message());
            return;
        }
        PrintPlan(path, now, {AsStoredInId3v1(merged), merged}, {});
    });
    return report.ExitCode();
}

} // namespace cli
