#include "FolderLocks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <set>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
// Long enough for another run to finish a batch of files with large pictures.
constexpr auto kPatience = std::chrono::seconds(30);

struct HeldFolder {
    int fd = -1;
    int depth = 0;
};

// The folders this thread holds, by name: a lock taken again inside a held one only counts.
thread_local std::map<std::string, HeldFolder> held;

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
    std::set<std::string> folders;
    for (const QString& path : paths)
        folders.insert(QFile::encodeName(QFileInfo(path).absolutePath()).toStdString());
    const auto deadline = Clock::now() + kPatience;
    for (const std::string& folder : folders) {
        if (auto it = held.find(folder); it != held.end()) {
            ++it->second.depth;
            taken_.push_back(folder);
            continue;
        }
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        const Locking locking = LockBefore(fd, deadline);
        if (locking != Locking::Locked) {
            close(fd);
            if (locking == Locking::Unlockable)
                continue;
            refused_ = QFile::decodeName(QByteArray::fromStdString(folder));
            Release();
            return;
        }
        held[folder] = {fd, 1};
        taken_.push_back(folder);
    }
}

FolderLocks::~FolderLocks() {
    Release();
}

void FolderLocks::Release() {
    for (const std::string& folder : taken_) {
        const auto it = held.find(folder);
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
