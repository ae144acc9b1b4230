// set and copy: change the named fields, or copy one tag's texts into the other.
#include "Commands.h"
#include "FileBatch.h"
#include "tagaccess/Id3v1Storage.h"
#include "tagaccess/TagSteps.h"
#include "tagjobs/RunKinds.h"
#include "tagjobs/TagsRun.h"

namespace cli {
namespace {

using namespace tagaccess;

// The fields given, as the window's multiple edit sets them: only these change.
tagjobs::FilePlanner SetPlanner(const Options& options) {
    tagjobs::FieldEdit edit;
    for (const FieldChange& change : options.changes)
        edit.values[size_t(change.field)] = change.text;
    return tagjobs::ChangePlanner(tagjobs::TagsOf(options.tags.v1, options.tags.v2),
                                  [edit](const TagFields& old, int version, int position) {
                                      return tagjobs::ApplyFieldEdit(old, edit, version, position);
                                  });
}

} // namespace

int RunSet(const Options& options, ID3& id3) {
    return RunTagCommand(id3, FilesOf(options), tagjobs::kEditCommand, SetPlanner(options),
                         options);
}

int RunRemove(const Options& options, ID3& id3) {
    return RunTagCommand(id3, FilesOf(options), tagjobs::kRemoveCommand,
                         tagjobs::RemovalPlanner(tagjobs::TagsOf(options.tags.v1, options.tags.v2)),
                         options);
}

int RunConvert(const Options& options, ID3& id3) {
    return RunTagCommand(id3, FilesOf(options), tagjobs::kConvertCommand,
                         tagjobs::ConversionPlanner(options.convertTo), options);
}

int RunCopy(const Options& options, ID3& id3) {
    BatchReport report;
    const auto files = FilesOf(options);
    tagjobs::RunEach(files, report, QString(), [&](const QString& path, int) {
        if (!options.dryRun) {
            if (options.v1ToV2)
                id3.CopyV1ToV2(path, true);
            else
                id3.CopyV2ToV1(path, true);
            return tagjobs::FileOutcome::Done();
        }
        // The real copy's checks: the source tag is there, the target can be saved.
        const std::optional<AudioFacts> facts = id3.ReadAudioFacts(path, false);
        if (facts && !(options.v1ToV2 ? facts->id3v1 : facts->id3v2Version != 0))
            return tagjobs::FileOutcome::Failed(steps::MissingSourceTag(
                options.v1ToV2 ? QStringLiteral("ID3v1") : QStringLiteral("ID3v2"), path));
        if (!id3.CheckSavable(path, !options.v1ToV2, options.v1ToV2, true))
            return tagjobs::FileOutcome{false, {}};
        const TagPair now = ReadBoth(id3, path);
        if (options.v1ToV2)
            PrintPlan(path, now, {now.v1, now.v1}, {false, true});
        else
            PrintPlan(path, now, {AsStoredInId3v1(now.v2), now.v2}, {true, false});
        return tagjobs::FileOutcome::Done();
    });
    return report.ExitCode();
}

} // namespace cli
