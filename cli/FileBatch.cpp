#include "FileBatch.h"

#include "FileCheck.h"
#include "organizer/FolderWalk.h"
#include "platform/AnsiText.h"
#include "platform/FindFiles.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace cli {
namespace {

void WorkOnFile(const QString& path, BatchReport& report, const FileWork& work) {
    report.Begin(path);
    const QString reason = UnusableReason(path);
    if (reason.isEmpty())
        work(path);
    else
        report.Fail(reason);
    report.End();
}

void WalkFolder(const QString& folder, BatchReport& report, const FileWork& work) {
    QString root = QDir::cleanPath(folder);
    if (!root.endsWith(u'/'))
        root += u'/';
    organizer::FolderWalk walk(
        [&](const organizer::FoundFile& file) {
            WorkOnFile(file.Folder + file.Name, report, work);
            return true;
        },
        [] { return true; });
    walk.FindFiles(platform::ToAnsi(root), platform::ToAnsi(QStringLiteral("*.mp3")),
                   platform::faAnyFile, 1, 0);
}

} // namespace

void ForEachFile(const QStringList& paths, BatchReport& report, const FileWork& work) {
    for (const QString& path : paths)
        WorkOnFile(path, report, work);
}

void ForEachFileOrFolder(const QStringList& paths, BatchReport& report, const FileWork& work) {
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            WorkOnFile(path, report, work);
        } else if (!info.isReadable() || !info.isExecutable()) {
            report.FailPath(path, QStringLiteral("the folder cannot be read"));
        } else {
            WalkFolder(path, report, work);
        }
    }
}

void ForEachMp3(const QStringList& paths, BatchReport& report, const FileWork& work) {
    ForEachFileOrFolder(AbsolutePaths(paths), report, [&](const QString& path) {
        if (path.endsWith(QStringLiteral(".mp3"), Qt::CaseInsensitive))
            work(path);
        else
            report.Fail(QStringLiteral("is not named *.mp3: left as it is"));
    });
}

QStringList AbsolutePaths(const QStringList& paths) {
    QStringList absolute;
    for (const QString& path : paths)
        absolute << QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return absolute;
}

void PrintPlan(const QString& path, const TagPair& now, const TagPair& planned, TagChoice tags) {
    const QStringList lines = Differences(now, planned, tags);
    if (lines.isEmpty())
        return;
    PrintOut(path + u'\n' + QStringLiteral("  ") + lines.join(QStringLiteral("\n  ")) + u'\n');
}

void PrintOut(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

} // namespace cli
