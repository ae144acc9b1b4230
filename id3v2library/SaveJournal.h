#pragma once

// In-place rewrites that a kill cannot leave half done. The complete new content is first published
// under the side name as the journal; the file's first bytes then become the rewrite marker, the
// rest is copied over, the first bytes last, and the journal is removed. A file that shows the
// marker had its rewrite interrupted, and copying its journal over it again finishes it. A side
// file beside a file without the marker is a leftover: of a rename that was killed, or of a
// rewrite that either never began or was complete.
#include "FileDescriptor.h"
#include "SideFiles.h"

namespace kivuna::tags {

// Rewrites `file` (locked) to the first `size` bytes of `content` (complete), through the journal.
bool RewriteThroughJournal(FileDescriptor& file, SideFile& content, off_t size,
                           const SidePaths& paths);

// Finishes an interrupted rewrite of `file` (locked), or removes a leftover side file. False when
// the file shows the marker but its journal could not be applied.
bool FinishInterruptedRewrite(FileDescriptor& file, const SidePaths& paths);

// True when the file starts with the rewrite marker.
bool ShowsRewriteMarker(const FileDescriptor& file);

} // namespace kivuna::tags
