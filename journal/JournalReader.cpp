#include "JournalReader.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace journal {

bool ForEachLine(const QString& path,
                 const std::function<void(QByteArrayView line, qint64 offset)>& each) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray copy;
    const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr;
    if (mapped == nullptr)
        copy = file.readAll();
    const QByteArrayView bytes =
        mapped ? QByteArrayView(mapped, file.size()) : QByteArrayView(copy);
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        each(bytes.sliced(start, end - start), start);
        start = end + 1;
    }
    return true;
}

bool IsRecordOfKind(QByteArrayView line, const QString& kind) {
    const QByteArray key = '"' + kKindKey.toUtf8() + "\":\"" + kind.toUtf8() + '"';
    return line.contains(key);
}

namespace {

// The journal's lines that parse as JSON objects, in file order, less the records of `bulkKind`.
std::vector<QJsonObject> ReadLines(const QString& path, const QString& bulkKind) {
    std::vector<QJsonObject> lines;
    ForEachLine(path, [&](QByteArrayView text, qint64) {
        if (!bulkKind.isEmpty() && IsRecordOfKind(text, bulkKind))
            return;
        const QJsonDocument line = QJsonDocument::fromJson(text.toByteArray());
        if (line.isObject())
            lines.push_back(line.object());
    });
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

// The journal files of the commands in the folder (all commands when none is given), oldest
// first. The command is part of the file's name, so other commands' journals are not read.
QStringList JournalFiles(const QStringList& commands, const QString& folder) {
    QStringList files;
    const QString suffix = QString::fromLatin1(kFileSuffix);
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*") + suffix}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const bool wanted =
            commands.isEmpty() ||
            std::any_of(commands.begin(), commands.end(), [&](const QString& command) {
                return name.endsWith(QLatin1Char('-') + command + suffix);
            });
        if (wanted)
            files << QDir(folder).filePath(name);
    }
    return files;
}

std::vector<JournalInfo> Journals(const QStringList& commands, const QString& folder) {
    std::vector<JournalInfo> found;
    for (const QString& path : JournalFiles(commands, folder)) {
        std::optional<JournalInfo> info = ReadJournalInfo(path);
        if (info && commands.contains(info->command))
            found.push_back(std::move(*info));
    }
    return found;
}

// A line that may be a mark. Inside a record's texts quotes are escaped, so this never matches;
// and a mark is short, so the long lines of kept tag bytes are not searched.
bool MayBeMark(QByteArrayView line) {
    constexpr qsizetype kLongestMark = 256;
    return line.size() <= kLongestMark && line.contains("\"journal\":");
}

} // namespace

std::optional<JournalInfo> ReadJournalInfo(const QString& path) {
    JournalInfo info;
    info.path = path;
    bool first = true;
    bool begun = false;
    // Records are counted, not parsed: a run of thousands of moves is read in a moment. A line
    // torn by a crash has no closing brace.
    const bool read = ForEachLine(path, [&](QByteArrayView text, qint64) {
        const QByteArrayView line = text.trimmed();
        if (std::exchange(first, false)) {
            const QJsonObject begin = QJsonDocument::fromJson(line.toByteArray()).object();
            begun = begin.value(kMarkKey).toString() == kBegin;
            info.command = begin.value(kCommandKey).toString();
            info.frontEnd = begin.value(kFrontEndKey).toString();
            for (const QJsonValue& root : begin.value(kRootsKey).toArray())
                info.roots << root.toString();
            info.started =
                QDateTime::fromString(begin.value(kTimeKey).toString(), Qt::ISODateWithMs);
        } else if (MayBeMark(line)) {
            const QString mark =
                QJsonDocument::fromJson(line.toByteArray()).object().value(kMarkKey).toString();
            info.ended = info.ended || mark == kEnd;
            info.undone = info.undone || mark == kUndone;
        } else if (line.endsWith('}')) {
            ++info.records;
        }
    });
    if (!read || !begun)
        return std::nullopt;
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

std::vector<JournalInfo> FinishedJournals(const QStringList& commands, const QString& folder) {
    std::vector<JournalInfo> all = Journals(commands, folder);
    std::vector<JournalInfo> finished;
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (it->ended && !it->undone)
            finished.push_back(std::move(*it));
    }
    return finished;
}

std::optional<JournalInfo> NewestJournal(const QStringList& commands, const QString& folder) {
    std::vector<JournalInfo> all = Journals(commands, folder);
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (!HeldByWriter(it->path))
            return std::move(*it);
    }
    return std::nullopt;
}

std::vector<QJsonObject> RecordsNewestFirst(const QString& path, const QString& bulkKind) {
    std::vector<QJsonObject> records;
    for (QJsonObject& line : ReadLines(path, bulkKind)) {
        if (line.contains(kKindKey))
            records.push_back(std::move(line));
    }
    std::reverse(records.begin(), records.end());
    return records;
}

QString TrustProblem(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return QStringLiteral("it cannot be read");
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("it is no regular file");
    if (status.st_uid != ::getuid())
        return QStringLiteral("it belongs to another user");
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return QStringLiteral("others may write it");
    return QString();
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

void PruneJournals(const QString& folder, int keep) {
    const QStringList files = JournalFiles({}, folder);
    for (qsizetype i = 0; i + keep < files.size(); ++i) {
        const std::optional<JournalInfo> info = ReadJournalInfo(files[i]);
        // A run that died stays until it is undone.
        if (info && (info->ended || info->undone))
            QFile::remove(files[i]);
    }
}

} // namespace journal
