// from-names: tag fields read from the files' names by a pattern, written into their tags.
#include "Commands.h"
#include "FileBatch.h"
#include "tagjobs/RunKinds.h"
#include "tagjobs/TagsFromNames.h"

namespace cli {

int RunFromNames(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    const auto files =
        tagjobs::FileSet::FromPaths(options.paths, tagjobs::FileSet::Given::Mp3Files);
    const tagjobs::FilePlanner planner =
        tagjobs::FromNamesPlanner(*naming::NamePattern::Parse(options.pattern),
                                  tagjobs::TagsOf(options.tags.v1, options.tags.v2));
    if (options.dryRun) {
        PrintPlans(id3, files, report, planner, options.tags);
        return report.ExitCode();
    }
    const tagjobs::TagsRunResult result =
        tagjobs::RunTagChanges(id3, files, report, tagjobs::kTagsFromNamesCommand, planner);
    if (result.count.taken == 0 && !result.journalError.isEmpty())
        report.FailRun(result.journalError);
    return report.ExitCode();
}

} // namespace cli
