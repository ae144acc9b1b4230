// sync: merge both tags of every file and write the result into both.
#include "Commands.h"
#include "FileBatch.h"
#include "tagjobs/ProcessFile.h"
#include "tagjobs/RunKinds.h"

namespace cli {

int RunSync(const Options& options, tagaccess::ID3& id3) {
    const auto files =
        tagjobs::FileSet::FromPaths(options.paths, tagjobs::FileSet::Given::FilesAndFolders);
    const int8_t prefer = options.prefer;
    BatchReport report;
    const int exitCode = RunTagCommand(
        id3, files, tagjobs::kSyncCommand,
        [prefer](tagaccess::ID3& id3, const QString& path, int) {
            return tagjobs::PlanSync(id3, path, prefer, tagjobs::SyncFailures::Explained);
        },
        options, report);
    // Untagged files are common in a library and no failure: counted, not listed.
    if (report.Skipped() > 0)
        PrintNote(
            report.Skipped() == 1
                ? QStringLiteral("1 file without tag text, left alone\n")
                : QStringLiteral("%1 files without tag text, left alone\n").arg(report.Skipped()));
    return exitCode;
}

} // namespace cli
