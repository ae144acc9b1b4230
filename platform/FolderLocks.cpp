#include "FolderLocks.h"

#include "AnsiText.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
// Long enough for another run to finish a batch of files with large pictures.
constexpr auto kPatience = std::chrono::seconds(30);

struct HeldFolder {
    int fd = -1;
    int depth = 0;
};

// The folders this thread holds, by device and inode, however a path spelled them: a lock taken
// again inside a held one only counts.
thread_local std::map<FolderLocks::Key, HeldFolder> held;

enum class Locking { Locked, Unlockable, Busy };

// Polls rather than blocks, so a wait ends at its deadline.
Locking LockBefore(int fd, Clock::time_point deadline) {
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return Locking::Locked;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return Locking::Unlockable;
        if (Clock::now() >= deadline)
            return Locking::Busy;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

} // namespace

FolderLocks::FolderLocks(const QStringList& paths) {
    // Folders as the paths spell them, relative ones too: the folder is known by its identity,
    // and its absolute name is only wanted for a message.
    std::set<QString> names;
    for (const QString& path : paths)
        names.insert(QFileInfo(path).path());
    // Every run takes its folders in the order of their identities, so two runs cannot each wait
    // for a folder the other holds. A folder this thread holds already needs no descriptor (-1).
    std::map<Key, std::pair<int, QString>> folders;
    for (const QString& name : names) {
        const QByteArray bytes = ToAnsi(name);
        struct stat status {};
        if (!held.empty() && stat(bytes.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
            held.contains(Key{status.st_dev, status.st_ino})) {
            folders.emplace(Key{status.st_dev, status.st_ino}, std::pair{-1, name});
            continue;
        }
        const int fd = open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (fstat(fd, &status) != 0 ||
            !folders.emplace(Key{status.st_dev, status.st_ino}, std::pair{fd, name}).second)
            close(fd);
    }
    const auto deadline = Clock::now() + kPatience;
    for (const auto& [key, folder] : folders) {
        const auto& [fd, name] = folder;
        if (!refused_.isEmpty()) {
            if (fd >= 0)
                close(fd);
            continue;
        }
        if (auto it = held.find(key); it != held.end()) {
            if (fd >= 0)
                close(fd);
            ++it->second.depth;
            taken_.push_back(key);
            continue;
        }
        const Locking locking = LockBefore(fd, deadline);
        if (locking != Locking::Locked) {
            close(fd);
            if (locking == Locking::Busy)
                refused_ = QDir::cleanPath(QDir(name).absolutePath());
            continue;
        }
        held[key] = {fd, 1};
        taken_.push_back(key);
    }
    if (!refused_.isEmpty())
        Release();
}

FolderLocks::~FolderLocks() {
    Release();
}

void FolderLocks::Release() {
    for (const Key& key : taken_) {
        const auto it = held.find(key);
        if (it != held.end() && --it->second.depth == 0) {
            close(it->second.fd);
            held.erase(it);
        }
    }
    taken_.clear();
}

QString FolderLocks::Failure() const {
    return refused_.isEmpty()
               ? QString()
               : QStringLiteral("another Kivuna run kept its folder \"%1\" busy for %2 s; "
                                "nothing was written, try again when that run has ended")
                     .arg(QDir::toNativeSeparators(refused_))
                     .arg(std::chrono::duration_cast<std::chrono::seconds>(kPatience).count());
}

} // namespace platform
