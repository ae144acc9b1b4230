#pragma once

// Kivuna's processes take turns at the files of one folder. A change of tags holds its folder's
// lock from the read its new texts depend on to its last save, so that a change another run made
// in between is never overwritten with what was read before it. The lock is on the folder, not on
// the file: a save may replace a file by a new one under the same name.
#include <QString>
#include <QStringList>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace platform {

class FolderLocks {
  public:
    // A folder's identity: its device and inode.
    using Key = std::pair<dev_t, ino_t>;

    // Takes the locks of the folders of `paths`, always in the same order, so two runs cannot
    // each wait for a folder the other holds. A folder this thread holds already (by any path)
    // is not waited for; one that cannot be opened or locked at all (no read permission, a file
    // system without locks) is changed without its lock, as before locks existed.
    explicit FolderLocks(const QStringList& paths);
    ~FolderLocks();
    FolderLocks(const FolderLocks&) = delete;
    FolderLocks& operator=(const FolderLocks&) = delete;

    // False when another run kept a folder locked past the patience of a save.
    bool Held() const { return refused_.isEmpty(); }
    // Why the files of the folder are left alone, for a message; empty when held.
    QString Failure() const;

  private:
    void Release();

    std::vector<Key> taken_;
    QString refused_;
};

} // namespace platform
