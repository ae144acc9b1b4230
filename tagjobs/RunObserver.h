#pragma once

#include <QString>

// What a batch run tells its front end: the organizer's progress panel and the shell's report are
// the two observers; the run itself knows neither.
namespace tagjobs {

// What became of one file of a run.
struct FileOutcome {
    // Counted as done ("Tags processed:" in the window); a file not done is skipped or failed.
    bool done = true;
    // Why the file was not done, in the user's words; empty when there is nothing to say (a file
    // the processing could not synchronise, in the window).
    QString failure;

    static FileOutcome Done() { return {}; }
    static FileOutcome Failed(QString why) { return {false, std::move(why)}; }
};

class RunObserver {
  public:
    virtual ~RunObserver() = default;

    // The run starts: its caption ("Writing tags...") and how many files it takes, -1 when they
    // are found as it goes.
    virtual void RunBegins(const QString& caption, int total) = 0;
    virtual void FileBegins(const QString& path) = 0;
    virtual void FileEnds(const QString& path, const FileOutcome& outcome) = 0;
    // Asked before every file: true ends the run there.
    virtual bool ShouldStop() = 0;
    virtual void RunEnds() = 0;

    // The front end the run is made in, named in its journal ("window" or "shell").
    virtual QString FrontEnd() const = 0;
};

} // namespace tagjobs
