#pragma once

#include "tagjobs/RunObserver.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace organizer {

class TForm2;
class MessagePump;

// Shows a run of the core in the organizer window, as a processing run is shown: the commands
// that must wait are disabled, the busy animation plays, the progress caption says what runs,
// the progress bar and the three counters follow each file, window messages are processed so the
// window repaints, and the stop button ends the run before its next file.
class BatchRun : public tagjobs::RunObserver {
  public:
    // Whether the progress bar counts to the run's own file count, or keeps the maximum the last
    // search gave it (the processing run).
    enum class Bar { FitsRun, KeepsSearch };

    explicit BatchRun(TForm2& form, Bar bar = Bar::FitsRun);
    ~BatchRun() override;

    void RunBegins(const QString& caption, int total) override;
    void FileBegins(const QString&) override {}
    void FileEnds(const QString& path, const tagjobs::FileOutcome& outcome) override;
    bool ShouldStop() override;
    void RunEnds() override;
    QString FrontEnd() const override;

    int Done() const { return done_; }
    int NotDone() const { return notDone_; }
    // The files that failed, with why, over every run this object showed.
    const std::vector<std::pair<QString, QString>>& Failures() const { return failures_; }

  private:
    class Shown;

    TForm2& form_;
    Bar bar_;
    std::unique_ptr<Shown> shown_;
    std::unique_ptr<MessagePump> pump_;
    int done_ = 0;
    int notDone_ = 0;
    std::vector<std::pair<QString, QString>> failures_;
};

} // namespace organizer
