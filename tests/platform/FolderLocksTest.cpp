// Folder locks as other runs see them: the folder is locked whichever way a path spells it, a lock
// taken again inside a held one (by another spelling) only counts, and the folder is free again
// when the outermost lock ends.
#include "platform/FolderLocks.h"
#include "TestSupport.h"

#include <QDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Whether another run could lock the folder now: a lock on a descriptor of its own, which is
// refused even in this process while the folder is held.
bool OthersCanLock(const QString& folder) {
    const int fd = open(folder.toUtf8().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return locked;
}

TEST(FolderLocks, RelativeAndAbsolutePathsLockTheOneFolderUntilTheOutermostLockEnds) {
    const testsupport::TempFolder temp;
    ASSERT_TRUE(QDir(temp.Root()).mkdir("album"));
    const QString folder = temp.Path("album");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(temp.Root()));
    {
        const platform::FolderLocks outer({"album/a.mp3"});
        ASSERT_TRUE(outer.Held());
        EXPECT_TRUE(outer.Failure().isEmpty());
        EXPECT_FALSE(OthersCanLock(folder));
        {
            const platform::FolderLocks inner({folder + "/b.mp3", "./album/c.mp3"});
            EXPECT_TRUE(inner.Held());
        }
        EXPECT_FALSE(OthersCanLock(folder));
    }
    EXPECT_TRUE(OthersCanLock(folder));
    {
        // A file in the current folder, named without any folder.
        ASSERT_TRUE(QDir::setCurrent(folder));
        const platform::FolderLocks bare({"d.mp3"});
        EXPECT_TRUE(bare.Held());
        EXPECT_FALSE(OthersCanLock(folder));
    }
    EXPECT_TRUE(OthersCanLock(folder));
    QDir::setCurrent(previous);
}

} // namespace
