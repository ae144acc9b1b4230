#include "FileBatch.h"

#include <cstdio>

namespace cli {

void PrintPlan(const QString& path, const TagPair& now, const TagPair& planned, TagChoice tags) {
    const QStringList lines = Differences(now, planned, tags);
    if (lines.isEmpty())
        return;
    PrintOut(path + u'\n' + QStringLiteral("  ") + lines.join(QStringLiteral("\n  ")) + u'\n');
}

int RunTagCommand(tagaccess::ID3& id3, const tagjobs::FileSet& files, const QString& command,
                  const tagjobs::FilePlanner& planner, const Options& options) {
    BatchReport report;
    if (options.dryRun) {
        tagjobs::RunEach(files, report, QString(), [&](const QString& path, int index) {
            const tagjobs::FilePlan plan = planner(id3, path, index);
            if (!plan.refusal.isEmpty())
                return tagjobs::FileOutcome::Failed(plan.refusal);
            PrintPlan(path, {plan.before.id3v1, plan.before.id3v2},
                      {plan.after.id3v1, plan.after.id3v2}, options.tags);
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

void PrintOut(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

} // namespace cli
