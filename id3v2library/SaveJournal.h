#pragma once

// In-place rewrites that a kill cannot leave half done: the complete new content is first
// published as a journal beside the file, then copied over it; the journal is removed last. A
// journal found later belongs to a rewrite that was interrupted, and copying it over the file again
// finishes it.
#include "FileDescriptor.h"
#include "SideFiles.h"

namespace kivuna::tags {

// Rewrites `file` (locked) to the first `size` bytes of `content` (complete and synced), through
// the journal.
bool RewriteThroughJournal(FileDescriptor& file, SideFile& content, off_t size,
                           const SidePaths& paths);

// Finishes an interrupted rewrite of `file` (locked) when its journal exists. False when one exists
// but could not be applied.
bool FinishInterruptedRewrite(FileDescriptor& file, const SidePaths& paths);

// True when an interrupted rewrite of the file at `name` waits to be finished.
bool RewritePending(const char* name);

} // namespace kivuna::tags
