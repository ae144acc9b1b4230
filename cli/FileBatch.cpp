#include "FileBatch.h"

#include "TerminalText.h"
#include "platform/AnsiText.h"
#include "tagjobs/EncodingRepair.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {

void PrintPlan(const QString& path, const TagPair& now, const TagPair& planned, TagChoice tags) {
    const QStringList lines = Differences(now, planned, tags);
    if (lines.isEmpty())
        return;
    PrintOut(ForOutput(path) + u'\n' + QStringLiteral("  ") + lines.join(QStringLiteral("\n  ")) +
             u'\n');
}

void PrintRepairs(const QString& path, const std::vector<tagjobs::FieldRepair>& repairs) {
    QString lines;
    for (const tagjobs::FieldRepair& repair : repairs)
        lines +=
            ForOutput(path) + QStringLiteral(": ") + ForOutput(tagjobs::RepairLine(repair)) + u'\n';
    PrintOut(lines);
}

tagjobs::FileSet FilesOf(const Options& options) {
    return tagjobs::FileSet::FromPaths(options.paths, options.recursive
                                                          ? tagjobs::FileSet::Given::FilesAndFolders
                                                          : tagjobs::FileSet::Given::Files);
}

int RunTagCommand(tagaccess::ID3& id3, const tagjobs::FileSet& files, const QString& command,
                  const tagjobs::FilePlanner& planner, const Options& options) {
    BatchReport report;
    return RunTagCommand(id3, files, command, planner, options, report);
}

int RunTagCommand(tagaccess::ID3& id3, const tagjobs::FileSet& files, const QString& command,
                  const tagjobs::FilePlanner& planner, const Options& options,
                  BatchReport& report) {
    if (options.dryRun) {
        tagjobs::RunEach(files, report, QString(), [&](const QString& path, int index) {
            const tagjobs::FilePlan plan = planner(id3, path, index);
            if (!plan.refusal.isEmpty())
                return tagjobs::FileOutcome::Failed(plan.refusal);
            if (plan.leftAlone)
                return tagjobs::FileOutcome{false, {}};
            // The checks the real save makes, writing nothing: its failures are foretold.
            if (plan.TouchesFile() &&
                !(plan.convertTo != 0
                      ? id3.ConvertId3v2(path, plan.convertTo,
                                         tagaccess::ID3::Unconverted::CheckOnly, true)
                      : id3.CheckSavable(path, plan.writeId3v1 || plan.removeId3v1,
                                         plan.writeId3v2 || plan.removeId3v2, true)))
                return tagjobs::FileOutcome{false, {}};
            if (!plan.repairs.empty())
                PrintRepairs(path, plan.repairs);
            else if (plan.TouchesFile())
                PrintPlan(path, {plan.before.id3v1, plan.before.id3v2},
                          {plan.after.id3v1, plan.after.id3v2}, options.tags);
            if (plan.convertTo != 0)
                PrintOut(ForOutput(path) +
                         QStringLiteral("\n  ID3v2 version: -> 2.%1\n").arg(plan.convertTo));
            if (plan.removedPictureType >= 0 || !plan.addedPicture.isEmpty())
                PrintOut(ForOutput(path) + QStringLiteral("\n  ID3v2 pictures:") +
                         (plan.removedPictureType >= 0
                              ? QStringLiteral(" remove type %1").arg(plan.removedPictureType)
                              : QString()) +
                         (plan.addedPicture.isEmpty() ? QString()
                                                      : QStringLiteral(" add \"%1\" as front cover")
                                                            .arg(ForOutput(plan.addedPicture))) +
                         u'\n');
            // A dry run says what the run would say.
            return plan.id3v1Refusal.isEmpty() ? tagjobs::FileOutcome::Done()
                                               : tagjobs::FileOutcome::Failed(plan.id3v1Refusal);
        });
        return report.ExitCode();
    }
    const tagjobs::TagsRunResult result =
        tagjobs::RunTagChanges(id3, files, report, command, planner);
    if (result.count.taken == 0 && !result.journalError.isEmpty())
        report.FailRun(result.journalError);
    return report.ExitCode();
}

namespace {

// The first reason a write to standard output failed (a full disk, a closed pipe); 0 for none.
int outputError = 0;

} // namespace

void PrintOut(const QString& text) {
    // A name that is not UTF-8 goes out as its own bytes.
    const QByteArray bytes = platform::ToAnsi(text);
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) &&
        outputError == 0)
        outputError = errno != 0 ? errno : EIO;
}

bool OutputWritten() {
    if (std::fflush(stdout) != 0 && outputError == 0)
        outputError = errno != 0 ? errno : EIO;
    if (outputError == 0 && std::ferror(stdout))
        outputError = EIO;
    if (outputError != 0)
        PrintError(QStringLiteral("standard output could not be written: ") +
                   QString::fromLocal8Bit(std::strerror(outputError)));
    return outputError == 0;
}

} // namespace cli
