// kivuna-cli: the tag operations of Kivuna from the shell.
#include "BatchReport.h"
#include "CommandLine.h"
#include "Commands.h"
#include "FileBatch.h"
#include "HelpText.h"
#include "platform/AnsiText.h"
#include "tagaccess/DllErrors.h"
#include "tagaccess/TagLibraryEntries.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

constexpr int kUsageExitCode = 2;
constexpr int kFailedExitCode = 1;

// Every file would fail the same way without the library; say it once instead.
bool TagLibraryLoads() {
    try {
        const tagaccess::TDll library(tagaccess::kTagLibraryName);
        return true;
    } catch (const tagaccess::EDllError& failure) {
        cli::PrintError(failure.Message());
        return false;
    }
}

int Run(const cli::Options& options) {
    tagaccess::ID3 id3;
    switch (options.command) {
    case cli::Command::Show:
        return cli::RunShow(options, id3);
    case cli::Command::Set:
        return cli::RunSet(options, id3);
    case cli::Command::Copy:
        return cli::RunCopy(options, id3);
    case cli::Command::Remove:
        return cli::RunRemove(options, id3);
    case cli::Command::Picture:
        return cli::RunPicture(options, id3);
    case cli::Command::Convert:
        return cli::RunConvert(options, id3);
    case cli::Command::Sync:
        return cli::RunSync(options, id3);
    case cli::Command::Organize:
    case cli::Command::Rename:
        return cli::RunMoves(options, id3);
    case cli::Command::FromNames:
        return cli::RunFromNames(options, id3);
    case cli::Command::FixEncoding:
        return cli::RunFixEncoding(options, id3);
    case cli::Command::Undo:
        return cli::RunUndo(options, id3);
    case cli::Command::Help:
    case cli::Command::Version:
        break;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // The undo journals live in the application's data folder, shared with the window.
    QCoreApplication::setApplicationName(QStringLiteral("Kivuna"));
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << platform::FromAnsi(argv[i]);
    cli::Options options;
    try {
        options = cli::ParseCommandLine(arguments);
    } catch (const cli::UsageError& wrong) {
        cli::PrintError(wrong.Message());
        cli::PrintError(cli::UsageHint());
        return kUsageExitCode;
    }
    if (options.command == cli::Command::Help) {
        cli::PrintOut(cli::HelpText(options.helpTopic));
        return cli::OutputWritten() ? 0 : kFailedExitCode;
    }
    tagaccess::DllErrorFormats::UseEnglish();
    cli::SetQuiet(options.quiet);
    if (options.command == cli::Command::Version) {
        cli::PrintOut(cli::VersionText());
        return cli::OutputWritten() ? 0 : kFailedExitCode;
    }
    if (!TagLibraryLoads())
        return kFailedExitCode;
    const int code = Run(options);
    return cli::OutputWritten() ? code : kFailedExitCode;
}
