#include "JournalReader.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace journal {
namespace {

// The journal's lines that parse as JSON objects, in file order.
std::vector<QJsonObject> ReadLines(const QString& path) {
    std::vector<QJsonObject> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    while (!file.atEnd()) {
        const QJsonDocument line = QJsonDocument::fromJson(file.readLine());
        if (line.isObject())
            lines.push_back(line.object());
    }
    return lines;
}

// Whether a living writer holds the journal.
bool HeldByWriter(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

// Every journal of the commands in the folder, oldest first.
std::vector<JournalInfo> Journals(const QStringList& commands, const QString& folder) {
    std::vector<JournalInfo> found;
    const QStringList names = QDir(folder).entryList(
        {QStringLiteral("*") + QString::fromLatin1(kFileSuffix)}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        std::optional<JournalInfo> info = ReadJournalInfo(QDir(folder).filePath(name));
        if (info && commands.contains(info->command))
            found.push_back(std::move(*info));
    }
    return found;
}

} // namespace

std::optional<JournalInfo> ReadJournalInfo(const QString& path) {
    const std::vector<QJsonObject> lines = ReadLines(path);
    if (lines.empty() || lines.front().value(kMarkKey).toString() != kBegin)
        return std::nullopt;
    JournalInfo info;
    info.path = path;
    info.command = lines.front().value(kCommandKey).toString();
    info.started =
        QDateTime::fromString(lines.front().value(kTimeKey).toString(), Qt::ISODateWithMs);
    for (const QJsonObject& line : lines) {
        const QString mark = line.value(kMarkKey).toString();
        info.ended = info.ended || mark == kEnd;
        info.undone = info.undone || mark == kUndone;
        if (line.contains(kKindKey))
            ++info.records;
    }
    return info;
}

std::vector<JournalInfo> UnfinishedJournals(const QStringList& commands, const QString& folder) {
    std::vector<JournalInfo> left;
    for (JournalInfo& info : Journals(commands, folder)) {
        if (!info.ended && !info.undone && !HeldByWriter(info.path))
            left.push_back(std::move(info));
    }
    return left;
}

std::optional<JournalInfo> LastFinishedJournal(const QStringList& commands, const QString& folder) {
    std::vector<JournalInfo> all = Journals(commands, folder);
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (it->ended && !it->undone)
            return std::move(*it);
    }
    return std::nullopt;
}

std::optional<JournalInfo> NewestJournal(const QStringList& commands, const QString& folder) {
    std::vector<JournalInfo> all = Journals(commands, folder);
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (!HeldByWriter(it->path))
            return std::move(*it);
    }
    return std::nullopt;
}

std::vector<QJsonObject> RecordsNewestFirst(const QString& path) {
    std::vector<QJsonObject> records;
    for (QJsonObject& line : ReadLines(path)) {
        if (line.contains(kKindKey))
            records.push_back(std::move(line));
    }
    std::reverse(records.begin(), records.end());
    return records;
}

bool MarkUndone(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A line torn by a crash is ended first, so the mark stands on a line of its own.
    char last = '\n';
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size > 0 && ::pread(fd, &last, 1, size - 1) == 1 && last != '\n' &&
        ::write(fd, "\n", 1) != 1)
        last = 0;
    const bool written = last != 0 && AppendDurably(fd, MarkLine(kUndone));
    ::close(fd);
    return written;
}

} // namespace journal
