#pragma once

#include "FoundFiles.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace tagjobs {

// The recursive search for files: walks a folder and every folder below it, depth first in the
// order the directory gives its entries, and appends each matching file to a list, or hands it
// on as it is met.
class FolderWalk {
  public:
    // Run after every entry; answers false to end the walk there (the stop button).
    using AfterEntry = std::function<bool()>;
    // Takes one matching file as it is met, with its attributes (platform::faArchive for a
    // regular file, a link's target's kind); answers false to end the walk there.
    using FileFound = std::function<bool(const FoundFile& file, uint32_t attributes)>;

    FolderWalk(FoundFileList& list, AfterEntry afterEntry);
    // A walk that keeps nothing: however many files it meets, its memory stays that of the
    // folder path it is in.
    FolderWalk(FileFound fileFound, AfterEntry afterEntry);

    // Folder and Pattern are 8-bit texts; Folder ends in a separator. Nothing happens when
    // Enabled is 0. When a file beyond Limit is met in a walk into a list, the limit message is
    // shown and the walk ends, keeping the first Limit files in the order found; a walk that
    // hands files on has no limit.
    void FindFiles(const QByteArray& Folder, const QByteArray& Pattern, uint32_t Attributes,
                   uint8_t Enabled, int32_t Limit);

    // Linked folders that lead out of `root` are passed over from now on; the organizer's search
    // follows every linked folder, a walk of named trees stays inside them.
    void StayWithin(const QByteArray& root);

    // Whether the walk ended early (stopped, or the limit reached).
    bool Ended() const { return ended_; }

    // The folders the walk could not enter, each with the system's reason: their files are not
    // among those found.
    const std::vector<std::pair<QString, QString>>& Unread() const { return unread_; }

  private:
    // Enters the folder unless it already lies on the current path (a link leading back up).
    bool Enter(const QByteArray& folder);
    // Keeps or hands on one matching file; answers false when the walk ends with it.
    bool Found(FoundFile file, uint32_t attributes, int32_t limit);

    FoundFileList* list_ = nullptr;
    FileFound fileFound_;
    AfterEntry afterEntry_;
    // Whether a linked folder leads out of the tree the walk stays within.
    bool LeavesTree(const QByteArray& folder) const;

    std::vector<std::pair<dev_t, ino_t>> path_;
    // The real path of the tree, ending in a separator; empty when the walk follows every link.
    QByteArray within_;
    bool ended_ = false;
    std::vector<std::pair<QString, QString>> unread_;
};

// "The number of found files exceeds the limit ..." for the given limit.
QString LimitMessage(int32_t limit);

} // namespace tagjobs
