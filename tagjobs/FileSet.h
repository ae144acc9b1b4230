#pragma once

#include "RunObserver.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tagjobs {

// The files a run goes over: the paths a window lists, or paths named on a command line, whose
// folders are searched as the run goes so that nothing grows with the number of files.
class FileSet {
  public:
    // Paths found by a search or listed in a window: taken as they are, in their order.
    static FileSet Listed(std::vector<QString> paths);

    enum class Given {
        // Every path is worked on as a file.
        Files,
        // A folder is searched, with every folder below it, for files named "*.mp3" in any case.
        FilesAndFolders,
        // As FilesAndFolders, with the paths made absolute (a journal names files wherever its
        // undo is run from), and a file named that is not "*.mp3" fails instead of being worked
        // on, as a folder's other files are passed over.
        Mp3Files,
    };
    // Paths named by the user: each is checked before it is worked on (it names nothing, a
    // folder, no regular file, or a file that cannot be read), and a failing one is reported
    // without being worked on.
    static FileSet FromPaths(const QStringList& paths, Given how);

    // How many files the run takes; -1 when folders are searched as it goes.
    int Count() const;
    const std::vector<QString>& ListedPaths() const { return listed_; }

  private:
    friend struct FileSetWalker;
    std::vector<QString> listed_;
    QStringList given_;
    Given how_ = Given::Files;
    bool checked_ = false;
};

struct RunCount {
    int taken = 0;
    bool stopped = false;
};

// One file's work; `index` counts the files taken before it (its place in a listed set).
using FileJob = std::function<FileOutcome(const QString& path, int index)>;

// A file the job is about to be given, with the index it will be given with.
struct ComingFile {
    QString path;
    int index = 0;
};

// Told of the files of a batch before the job is given the first of them: those the job will be
// given, in order (a file that fails its checks is not among them, and the run may stop before
// the last).
using BatchStart = std::function<void(const std::vector<ComingFile>& batch)>;

// The one loop of every batch run: the job on each file of the set in order, each file's
// beginning and outcome told to the observer, which may stop the run before any file. The run
// keeps to one CPU (see platform::OneCpu). With a batch start, the files are taken `batchSize`
// at a time, also where folders are searched as the run goes, so that a run can do a batch's
// slow steps (a wait for the disk, a folder's lock) once.
RunCount RunEach(const FileSet& files, RunObserver& observer, const QString& caption,
                 const FileJob& job, const BatchStart& batchStart = {}, size_t batchSize = 1);

// Why the path cannot be worked on as a file; empty when it can. The tag library reads a file it
// cannot open as one without tags, so this is asked first of a path the user named.
QString UnusableReason(const QString& path);

} // namespace tagjobs
