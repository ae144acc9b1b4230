#pragma once

#include "FileSet.h"
#include "FoundFiles.h"
#include "tagaccess/ID3.h"

#include <QString>
#include <functional>
#include <optional>

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

// Whether a run says why a file could not be synchronised (the shell), or only counts it (the
// window, which lists such files apart): finding the reason costs two more reads.
enum class SyncFailures { Explained, Counted };

// Both tags of one file merged and written into both. A file without tag text is neither done
// nor failed.
FileOutcome SyncFile(tagaccess::ID3& id3, const QString& path, int8_t preferredVersion,
                     SyncFailures failures = SyncFailures::Explained);

// The file's row: its path and the fields of the chosen tag.
TagRow ReadRow(tagaccess::ID3& id3, const QString& path, bool useId3v1);

// The processing of one file: both tags synchronised, then the chosen tag read back as the file's
// row. Nothing when the file could not be synchronised.
std::optional<TagRow> ProcessFile(tagaccess::ID3& id3, const QString& path, bool useId3v1);

// Synchronises every file of the set; `synced` hears each file the run synchronised (a window
// reads its row there).
RunCount SyncRun(tagaccess::ID3& id3, const FileSet& files, RunObserver& observer,
                 int8_t preferredVersion, SyncFailures failures,
                 const std::function<void(const QString& path, bool synced)>& synced = {});

} // namespace tagjobs
