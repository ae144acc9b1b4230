// set and copy: change the named fields, or copy one tag's texts into the other.
#include "Commands.h"
#include "FileBatch.h"

namespace cli {
namespace {

using namespace tagaccess;

TagFields Changed(TagFields fields, const std::vector<FieldChange>& changes) {
    for (const FieldChange& change : changes)
        fields[size_t(change.field)] = change.text;
    return fields;
}

// A tag read from a file that has none holds no track text; ID3v1 stores "no track" as 0.
TagFields ForId3v1(TagFields fields) {
    if (fields[kTrack].isEmpty())
        fields[kTrack] = QStringLiteral("0");
    return fields;
}

// Each write follows its own read of the same tag, so the fields not given are written back as
// they were; a failed read writes nothing.
void SetFields(const Options& options, ID3& id3, const QString& path, BatchReport& report) {
    if (options.tags.v1) {
        const TagFields fields = id3.ReadId3v1(path, true);
        if (report.Failed() ||
            !id3.WriteId3v1(path, ForId3v1(Changed(fields, options.changes)), true))
            return;
    }
    if (options.tags.v2) {
        TagFields fields = Changed(id3.ReadId3v2(path, true), options.changes);
        fields.resize(kTagFieldCountWithPicture); // no picture to attach: the tag keeps its own
        if (!report.Failed())
            id3.WriteId3v2(path, fields, true);
    }
}

} // namespace

int RunSet(const Options& options, ID3& id3) {
    BatchReport report;
    ForEachFile(options.paths, report, [&](const QString& path) {
        if (!options.dryRun) {
            SetFields(options, id3, path, report);
            return;
        }
        const TagPair now = ReadBoth(id3, path);
        const TagPair planned{AsStoredInId3v1(Changed(now.v1, options.changes)),
                              Changed(now.v2, options.changes)};
        PrintPlan(path, now, planned, options.tags);
    });
    return report.ExitCode();
}

int RunCopy(const Options& options, ID3& id3) {
    BatchReport report;
    ForEachFile(options.paths, report, [&](const QString& path) {
        if (!options.dryRun) {
            if (options.v1ToV2)
                id3.CopyV1ToV2(path, true);
            else
                id3.CopyV2ToV1(path, true);
            return;
        }
        const TagPair now = ReadBoth(id3, path);
        if (options.v1ToV2)
            PrintPlan(path, now, {now.v1, now.v1}, {false, true});
        else
            PrintPlan(path, now, {AsStoredInId3v1(now.v2), now.v2}, {true, false});
    });
    return report.ExitCode();
}

} // namespace cli
