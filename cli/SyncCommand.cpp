// sync: merge both tags of every file and write the result into both.
#include "Commands.h"
#include "FileBatch.h"
#include "platform/OneCpu.h"
#include "tagaccess/TagSteps.h"

#include <algorithm>

namespace cli {
namespace {

using tagaccess::TagFields;

TagFields Merged(const TagPair& tags, int8_t prefer) {
    return tagaccess::steps::MergeFields(tags.v1, tags.v2, prefer);
}

// A file without any tag fails the sync on its empty track; say what the user can act on.
void ExplainWhenTagless(const TagFields& merged, BatchReport& report) {
    if (std::all_of(merged.begin(), merged.end(),
                    [](const QString& text) { return text.isEmpty(); }))
        report.Explain(QStringLiteral("has no ID3v1 or ID3v2 tag with text to synchronise"));
}

} // namespace

int RunSync(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    // A batch loads and unloads the tag library for every file; on one CPU that costs least
    // (see OneCpu).
    const platform::OneCpu pinned;
    ForEachFileOrFolder(options.paths, report, [&](const QString& path) {
        if (!options.dryRun) {
            if (!id3.SyncTags(path, options.prefer, true))
                ExplainWhenTagless(Merged(ReadBoth(id3, path), options.prefer), report);
            return;
        }
        const TagPair now = ReadBoth(id3, path);
        const TagFields merged = Merged(now, options.prefer);
        try {
            // The sync itself would stop here, before writing anything.
            tagaccess::steps::TrackByte(merged[tagaccess::kTrack]);
        } catch (const platform::Exception& failure) {
            report.Fail(failure.Message());
            ExplainWhenTagless(merged, report);
            return;
        }
        PrintPlan(path, now, {AsStoredInId3v1(merged), merged}, {});
    });
    return report.ExitCode();
}

} // namespace cli
