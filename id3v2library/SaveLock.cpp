#include "SaveLock.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <sys/file.h>
#include <thread>

#include "MpegAudio.h"
#include "SaveJournal.h"
#include "SharedFile.h"
#include "SystemError.h"

namespace kivuna::tags {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(5);

// Polls rather than blocks, so a save never waits longer than its patience. `held` tells whether
// a lock was taken.
bool LockBefore(int fd, Clock::time_point deadline, bool& held) {
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            held = true;
            return true;
        }
        // A file system without advisory locks: saves there cannot take turns, but still work.
        if (errno == ENOLCK || errno == ENOTSUP || errno == ENOSYS) {
            held = false;
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (Clock::now() >= deadline) {
            // Another save held the file all that time.
            errno = EBUSY;
            return false;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

} // namespace

SaveLock::SaveLock(const char* name) {
    const auto deadline = Clock::now() + kPatience;
    do {
        bool held = true;
        FileDescriptor& file =
            SharedFile(name, true, [&](int fd) { return LockBefore(fd, deadline, held); });
        if (!file.Valid())
            return;
        // Without a lock there is none to keep: each save then looks at everything again.
        if (!held)
            NoSaveLockHeld();
        // A save that locked the file before us replaced it by a new one with the only name: this
        // one has none left, and the name is opened again.
        if (file.Status().st_nlink == 0) {
            ForgetSharedFile();
            continue;
        }
        paths_ = SidePathsFor(name, file);
        // A save looks for a side file once the lock is had: another process's save killed while
        // it was free may have left one, or a rewrite half done. Kept from the last save on, the
        // lock let no other save in since.
        if (paths_.target.empty() || !(SideNameChecked() || FinishInterruptedRewrite(file, paths_)))
            return;
        SetSideNameChecked(true);
        file_ = &file;
        return;
    } while (Clock::now() < deadline);
}

bool SaveLock::HeldOnMpegAudio() const {
    if (!Held())
        return false;
    if (HoldsMpegAudio(*file_))
        return true;
    if (ShowsRewriteMarker(*file_))
        KeepSystemError(kUnfinishedRewrite);
    return false;
}

FileForLoad OpenForLoad(const char* name) {
    FileForLoad loaded{SharedFile(name, false)};
    loaded.mp3 = loaded.file.Valid() && HoldsMpegAudio(loaded.file);
    // Only a file that is no MP3 can be one whose rewrite was interrupted.
    if (loaded.file.Valid() && !loaded.mp3 && ShowsRewriteMarker(loaded.file)) {
        if (SaveLock(name).Held()) {
            // The same object, open again by the name.
            SharedFile(name, false);
            loaded.mp3 = loaded.file.Valid() && HoldsMpegAudio(loaded.file);
        }
        loaded.unfinished = loaded.file.Valid() && !loaded.mp3 && ShowsRewriteMarker(loaded.file);
    }
    return loaded;
}

} // namespace kivuna::tags
