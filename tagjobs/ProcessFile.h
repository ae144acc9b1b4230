#pragma once

#include "FileSet.h"
#include "FileTagChange.h"
#include "FoundFiles.h"
#include "TagsRun.h"
#include "tagaccess/ID3.h"

#include <QString>
#include <functional>

// The processing: both tags of every file synchronised.
namespace tagjobs {

// Where both tags hold text, the processing keeps the ID3v2 text.
inline constexpr int8_t kPreferV2 = 2;

// Whether the merged fields hold no text at all: the file has no tag to synchronise and is left
// alone, which is no failure (an untagged file is common in a library).
bool HoldsNoTagText(const tagaccess::TagFields& merged);

// Why a sync that merged the tags into these fields writes nothing: a track that is no whole
// number. Empty when it goes through, or the file is left alone for want of text.
QString SyncRefusal(const tagaccess::TagFields& merged);

// Whether a run says why a file is no MP3 (the shell), or only counts it with the files it
// leaves alone (the window, which lists such files apart): telling them apart costs a read.
enum class SyncFailures { Explained, Counted };

// The sync of one file: both tags read once, merged, and written only where the merge changes
// either; a file without tag text is left alone.
FilePlan PlanSync(tagaccess::ID3& id3, const QString& path, int8_t preferredVersion,
                  SyncFailures failures);

// The file's row: its path and the fields of the chosen tag.
TagRow ReadRow(tagaccess::ID3& id3, const QString& path, bool useId3v1);

// Hears each file of a sync as it ends: whether it is now in sync, and its tags as the run last
// read them (in the load that planned it, or that wrote it; nothing was written since, its folder
// held), so that a window need not read its row again. `read` is null where they could not be
// read.
using SyncHeard = std::function<void(const QString& path, bool synced, const FileTagsBefore* read)>;

// Synchronises every file of the set, each file's old tags kept in the journal first so that the
// run can be undone.
TagsRunResult SyncRun(tagaccess::ID3& id3, const FileSet& files, RunObserver& observer,
                      int8_t preferredVersion, SyncFailures failures, const SyncHeard& synced = {});

// The row of a file whose tags are read already.
TagRow RowOf(const QString& path, const tagaccess::TagFields& fields);

} // namespace tagjobs
