#pragma once

#include <QString>
#include <functional>

namespace organizer {

class TForm2;

// What the job did with one file: the counters of the organizer window count it as done
// ("Tags processed:") or not done ("No tag data:").
enum class BatchOutcome { Done, NotDone };

// Runs a job over a list of files in the organizer window, as a processing run does: the commands
// that must wait are disabled, the busy animation plays, the progress caption says what runs, the
// progress bar and the three counters follow each file, window messages are processed so the
// window repaints, and the stop button ends the run before its next file.
class BatchRun {
  public:
    using Job = std::function<BatchOutcome(int index)>;

    // Whether the progress bar counts to the run's own file count, or keeps the maximum the last
    // search gave it (the processing run).
    enum class Bar { FitsRun, KeepsSearch };

    // caption: shown in the progress panel while the run lasts, as "Moving files..."; empty keeps
    // "Progress".
    explicit BatchRun(TForm2& form, QString caption = {}, Bar bar = Bar::FitsRun);

    // Calls the job for indexes 0 to count - 1 while the run is not stopped; answers how many
    // files it took. The progress bar is back at 0 at the end.
    int Run(int count, const Job& job);

    int Done() const { return done_; }
    int NotDone() const { return notDone_; }
    // Whether the stop button (or the program's end) cut the run short.
    bool Stopped() const { return stopped_; }

  private:
    TForm2& form_;
    QString caption_;
    Bar bar_;
    int done_ = 0;
    int notDone_ = 0;
    bool stopped_ = false;
};

} // namespace organizer
