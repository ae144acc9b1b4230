// fix-encoding: repair tag texts that other programs garbled.
#include "Commands.h"
#include "FileBatch.h"
#include "tagjobs/EncodingRepair.h"
#include "tagjobs/RunKinds.h"

namespace cli {

int RunFixEncoding(const Options& options, tagaccess::ID3& id3) {
    const auto files =
        tagjobs::FileSet::FromPaths(options.paths, tagjobs::FileSet::Given::FilesAndFolders);
    const tagjobs::ChosenTags versions = tagjobs::TagsOf(options.tags.v1, options.tags.v2);
    const bool dryRun = options.dryRun;
    // A real run says every field it changes before it writes the file; a dry run says it once,
    // with its plan.
    return RunTagCommand(
        id3, files, tagjobs::kRepairCommand,
        [versions, dryRun](tagaccess::ID3& id3, const QString& path, int) {
            tagjobs::FilePlan plan = tagjobs::PlanRepair(id3, path, versions);
            if (!dryRun && plan.refusal.isEmpty() && !plan.repairs.empty())
                PrintRepairs(path, plan.repairs);
            return plan;
        },
        options);
}

} // namespace cli
