// from-names: tag fields read from the files' names by a pattern, written into their tags.
#include "Commands.h"
#include "FileBatch.h"
#include "batch/TagsFromNameFile.h"
#include "naming/FieldsFromPath.h"

namespace cli {

int RunFromNames(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    const naming::NamePattern pattern = *naming::NamePattern::Parse(options.pattern);
    const batch::TagVersions versions{options.tags.v1, options.tags.v2};
    // A dry run writes no journal either; a run that changes nothing leaves none.
    std::optional<journal::JournalWriter> journal;
    if (!options.dryRun) {
        journal.emplace(batch::kTagsFromNamesCommand);
        if (!journal->IsOpen()) {
            report.FailRun(journal->ErrorText());
            return report.ExitCode();
        }
    }
    bool journalBroken = false;
    ForEachMp3(options.paths, report, [&](const QString& path) {
        const std::optional<naming::NameFields> read = naming::FieldsFromPath(pattern, path);
        if (!read) {
            report.Fail(
                QStringLiteral("the name does not fit the pattern \"%1\"").arg(pattern.Text()));
            return;
        }
        if (options.dryRun) {
            const TagPair now = ReadBoth(id3, path);
            const TagPair planned{AsStoredInId3v1(batch::WithNamedFields(now.v1, *read, pattern)),
                                  batch::WithNamedFields(now.v2, *read, pattern)};
            if (!report.Failed())
                PrintPlan(path, now, planned, options.tags);
            return;
        }
        // Without its journal line no tag may be written: the files after stay as they are.
        if (journalBroken) {
            report.Fail(QStringLiteral("not written: the undo journal could not be written"));
            return;
        }
        switch (batch::WriteTagsFromName(id3, *journal, path, *read, pattern, versions, true)) {
        case batch::TagsWrite::Written:
            break;
        case batch::TagsWrite::JournalFailed:
            journalBroken = true;
            report.Fail(journal->ErrorText());
            break;
        case batch::TagsWrite::WriteFailed:
            if (!report.Failed())
                report.Fail(QStringLiteral("the tag library could not write the tag"));
            break;
        }
    });
    return report.ExitCode();
}

} // namespace cli
