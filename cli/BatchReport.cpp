#include "BatchReport.h"

#include "FileBatch.h"
#include "TerminalText.h"
#include "tagjobs/RunKinds.h"

#include <cstdio>
#include <unistd.h>

namespace cli {
namespace {

// The progress line is redrawn at most this often: drawing it for every file would cost more
// than the tag work on a fast disk.
constexpr qint64 kProgressIntervalMs = 100;
constexpr qsizetype kProgressPathChars = 60;

// The library's messages may hold line breaks; a failure is one line.
QString OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text;
}

bool quietRun = false;

} // namespace

void SetQuiet(bool quiet) {
    quietRun = quiet;
}

void PrintNote(const QString& text) {
    if (!quietRun)
        PrintOut(text);
}

void PrintError(const QString& text) {
    // One line: on a terminal every control character shows as an escape, elsewhere line breaks
    // become blanks.
    static const bool terminal = isatty(STDERR_FILENO) == 1;
    std::fprintf(stderr, "kivuna-cli: %s\n",
                 (terminal ? EscapedControls(text) : OneLine(text)).toUtf8().constData());
}

BatchReport::BatchReport()
    : terminal_(!quietRun && isatty(STDERR_FILENO) == 1),
      previous_(platform::SetMessageHandler([this](const QString& text) { Fail(text); })) {
    sinceProgress_.start();
}

BatchReport::~BatchReport() {
    ClearProgress();
    platform::SetMessageHandler(std::move(previous_));
}

void BatchReport::Begin(const QString& path) {
    path_ = path;
    messages_.clear();
    ++files_;
    if (terminal_ && sinceProgress_.elapsed() >= kProgressIntervalMs)
        ShowProgress();
}

void BatchReport::Fail(const QString& message) {
    if (!messages_.contains(message))
        messages_ << message;
}

void BatchReport::Explain(const QString& message) {
    messages_ = QStringList{message};
}

bool BatchReport::End() {
    if (messages_.isEmpty())
        return true;
    ++failed_;
    ClearProgress();
    PrintError(path_ + QStringLiteral(": ") + messages_.join(QStringLiteral("; ")));
    return false;
}

void BatchReport::FailPath(const QString& path, const QString& message) {
    Begin(path);
    Fail(message);
    End();
}

void BatchReport::FailRun(const QString& message) {
    ++failed_;
    ClearProgress();
    PrintError(message);
}

void BatchReport::FileEnds(const QString&, const tagjobs::FileOutcome& outcome) {
    if (!outcome.failure.isEmpty())
        Fail(outcome.failure);
    if (!outcome.done && !Failed())
        ++skipped_;
    End();
}

QString BatchReport::FrontEnd() const {
    return tagjobs::kShellFrontEnd;
}

void BatchReport::ShowProgress() {
    QString shown = path_;
    if (shown.size() > kProgressPathChars)
        shown = QStringLiteral("...") + shown.right(kProgressPathChars - 3);
    // Carriage return and erase to the end of the line: the line is redrawn in place.
    std::fprintf(stderr, "\r\033[K%d files, %d failed: %s", files_ - 1, failed_,
                 shown.toUtf8().constData());
    std::fflush(stderr);
    progressShown_ = true;
    sinceProgress_.restart();
}

void BatchReport::ClearProgress() {
    if (!progressShown_)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    progressShown_ = false;
}

} // namespace cli
