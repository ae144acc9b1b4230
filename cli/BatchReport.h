#pragma once

#include "platform/MessageBox.h"
#include "tagjobs/RunObserver.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

namespace cli {

// Keeps account of a batch, one file at a time. Every message the tag operations show while a
// file is in hand is kept for that file; a file that failed gets one line on standard error,
// and the batch goes on. When standard error is a terminal, a progress line stands at its
// bottom. The seam is taken for the object's life. It is the shell's observer of the core's runs.
class BatchReport : public tagjobs::RunObserver {
  public:
    BatchReport();
    ~BatchReport() override;
    BatchReport(const BatchReport&) = delete;
    BatchReport& operator=(const BatchReport&) = delete;

    void Begin(const QString& path);
    // Records a failure of the file in hand.
    void Fail(const QString& message);
    // Says what went wrong with the file in hand better than the messages recorded so far.
    void Explain(const QString& message);
    // Whether the file in hand has failed so far.
    bool Failed() const { return !messages_.isEmpty(); }
    const QStringList& Messages() const { return messages_; }
    // Ends the file: prints its line when it failed; answers whether it went through.
    bool End();
    // A failure that belongs to no file (a path that names nothing), printed at once.
    void FailPath(const QString& path, const QString& message);

    // A failure of the whole run (its journal), printed at once.
    void FailRun(const QString& message);

    void RunBegins(const QString&, int) override {}
    void FileBegins(const QString& path) override { Begin(path); }
    void FileEnds(const QString& path, const tagjobs::FileOutcome& outcome) override;
    bool ShouldStop() override { return false; }
    void RunEnds() override { ClearProgress(); }
    QString FrontEnd() const override;

    int Files() const { return files_; }
    int Failures() const { return failed_; }
    // Files neither done nor failed: left alone for a reason that is no fault.
    int Skipped() const { return skipped_; }
    // 0 when every file went through, 1 when some failed.
    int ExitCode() const { return failed_ == 0 ? 0 : 1; }

  private:
    void ShowProgress();
    void ClearProgress();

    QString path_;
    QStringList messages_;
    int files_ = 0;
    int failed_ = 0;
    int skipped_ = 0;
    bool terminal_ = false;
    bool progressShown_ = false;
    QElapsedTimer sinceProgress_;
    platform::MessageHandler previous_;
};

// --quiet: no progress line, and PrintNote prints nothing.
void SetQuiet(bool quiet);
// A closing summary ("Moved 3 file(s)"), on standard output unless quiet.
void PrintNote(const QString& text);

// "kivuna-cli: " and the text on one line of standard error.
void PrintError(const QString& text);

} // namespace cli
