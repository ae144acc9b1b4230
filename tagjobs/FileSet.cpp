#include "FileSet.h"

#include "FolderWalk.h"
#include "platform/AnsiText.h"
#include "platform/FileSystem.h"
#include "platform/FindFiles.h"
#include "platform/OneCpu.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <utility>

namespace tagjobs {

// Takes the files of a set for RunEach, a batch at a time: found files wait in `coming` until the
// batch is full or the set ends.
struct FileSetWalker {
    const FileSet& files;
    RunObserver& observer;
    const FileJob& job;
    const BatchStart& batchStart;
    const size_t batchSize;
    platform::OneCpu& pinned;
    RunCount count;

    struct Waiting {
        QString path;
        // Why the job is not given it; empty when it is.
        QString failure;
    };
    std::vector<Waiting> coming;

    // Queues one file, `regular` when a walk just found it is one; answers false when the run
    // stopped at it or before.
    bool Take(const QString& path, const QString& failure = {}, bool regular = false) {
        QString reason = failure;
        if (reason.isEmpty() && files.checked_)
            reason = regular ? platform::UnopenableFileReason(path) : UnusableReason(path);
        coming.push_back({path, reason});
        return coming.size() < batchSize || TakeComing();
    }

    // Works on the queued files, each told to the observer; answers false when the run stops.
    bool TakeComing() {
        std::vector<Waiting> batch = std::exchange(coming, {});
        if (batch.empty())
            return !count.stopped;
        if (batchStart) {
            if (observer.ShouldStop()) {
                count.stopped = true;
                return false;
            }
            std::vector<ComingFile> usable;
            for (size_t k = 0; k < batch.size(); ++k) {
                if (batch[k].failure.isEmpty())
                    usable.push_back({batch[k].path, count.taken + int(k)});
            }
            batchStart(usable);
        }
        for (const Waiting& file : batch) {
            pinned.Recheck();
            if (observer.ShouldStop()) {
                count.stopped = true;
                return false;
            }
            observer.FileBegins(file.path);
            const FileOutcome outcome = file.failure.isEmpty() ? job(file.path, count.taken)
                                                               : FileOutcome::Failed(file.failure);
            ++count.taken;
            observer.FileEnds(file.path, outcome);
        }
        return true;
    }

    bool TakeGiven(const QString& path) {
        if (files.how_ != FileSet::Given::Mp3Files ||
            path.endsWith(QStringLiteral(".mp3"), Qt::CaseInsensitive))
            return Take(path);
        return Take(path, QStringLiteral("is not named *.mp3: left as it is"));
    }

    bool Walk(const QString& folder) {
        QString root = QDir::cleanPath(folder);
        if (!root.endsWith(u'/'))
            root += u'/';
        FolderWalk walk(
            [&](const FoundFile& file, uint32_t attributes) {
                return Take(file.Folder + file.Name, {}, (attributes & platform::faArchive) != 0);
            },
            [] { return true; });
        // A named tree is walked, not what its links lead to elsewhere.
        walk.StayWithin(platform::ToAnsi(root));
        walk.FindFiles(platform::ToAnsi(root), platform::ToAnsi(QStringLiteral("*.mp3")),
                       platform::faAnyFile, 1, 0);
        // A folder the walk could not enter is named: its files were not taken.
        for (const auto& [unread, why] : walk.Unread()) {
            if (!count.stopped && !Take(unread, QStringLiteral("the folder cannot be read (%1): "
                                                               "its files were left out")
                                                    .arg(why)))
                break;
        }
        return !count.stopped;
    }

    void TakeAll() {
        for (const QString& path : files.listed_) {
            if (!Take(path))
                return;
        }
        for (const QString& path : files.given_) {
            bool goesOn = true;
            if (files.how_ == FileSet::Given::Files || !platform::IsFolder(path))
                goesOn = TakeGiven(path);
            else if (!platform::FolderCanBeSearched(path))
                goesOn = Take(path, QStringLiteral("the folder cannot be read"));
            else
                goesOn = Walk(path);
            if (!goesOn)
                return;
        }
        TakeComing();
    }
};

FileSet FileSet::Listed(std::vector<QString> paths) {
    FileSet set;
    set.listed_ = std::move(paths);
    return set;
}

FileSet FileSet::FromPaths(const QStringList& paths, Given how) {
    FileSet set;
    set.how_ = how;
    set.checked_ = true;
    for (const QString& path : paths)
        set.given_ << (how == Given::Mp3Files ? QDir::cleanPath(QFileInfo(path).absoluteFilePath())
                                              : path);
    return set;
}

int FileSet::Count() const {
    if (how_ != Given::Files)
        return -1;
    return int(listed_.size()) + int(given_.size());
}

RunCount RunEach(const FileSet& files, RunObserver& observer, const QString& caption,
                 const FileJob& job, const BatchStart& batchStart, size_t batchSize) {
    observer.RunBegins(caption, files.Count());
    // The observer hears the end even when a job throws.
    struct Ending {
        RunObserver& observer;
        ~Ending() { observer.RunEnds(); }
    } ending{observer};
    // A run that loads and unloads the tag library for every file costs least on one CPU, as long
    // as no other job keeps that CPU busy.
    platform::OneCpu pinned;
    FileSetWalker walker{
        files,  observer, job, batchStart, batchStart ? std::max<size_t>(batchSize, 1) : 1,
        pinned, {},       {}};
    walker.TakeAll();
    return walker.count;
}

QString UnusableReason(const QString& path) {
    return platform::UnreadableFileReason(path);
}

} // namespace tagjobs
