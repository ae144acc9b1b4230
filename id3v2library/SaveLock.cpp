#include "SaveLock.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <sys/file.h>
#include <thread>

#include "SaveJournal.h"

namespace kivuna::tags {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(5);

// Polls rather than blocks, so a save never waits longer than its patience.
bool LockBefore(int fd, Clock::time_point deadline) {
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

} // namespace

SaveLock::SaveLock(const char* name) {
    const auto deadline = Clock::now() + kPatience;
    do {
        FileDescriptor file = FileDescriptor::OpenForWriting(name);
        if (!file.Valid() || !LockBefore(file.Get(), deadline))
            return;
        struct stat now {};
        paths_ = SidePathsFor(name, now);
        if (paths_.target.empty() || !file.Refresh())
            return;
        // A waiting save locked the file another save has since renamed away.
        if (SameFile(now, file.Status())) {
            if (FinishInterruptedRewrite(file, paths_))
                file_ = std::move(file);
            return;
        }
    } while (Clock::now() < deadline);
}

void FinishPendingRewrite(const char* name) {
    if (RewritePending(name))
        SaveLock{name};
}

} // namespace kivuna::tags
