// from-names: tag fields read from the files' names by a pattern, written into their tags.
#include "Commands.h"
#include "FileBatch.h"
#include "tagjobs/RunKinds.h"
#include "tagjobs/TagsFromNames.h"

namespace cli {

int RunFromNames(const Options& options, tagaccess::ID3& id3) {
    return RunTagCommand(
        id3, tagjobs::FileSet::FromPaths(options.paths, tagjobs::FileSet::Given::Mp3Files),
        tagjobs::kTagsFromNamesCommand,
        tagjobs::FromNamesPlanner(*naming::NamePattern::Parse(options.pattern),
                                  tagjobs::TagsOf(options.tags.v1, options.tags.v2)),
        options);
}

} // namespace cli
