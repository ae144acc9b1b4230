#include "JournalWriter.h"

#include "JournalReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace journal {
namespace {

// Enough for the runs a user may still want to take back.
constexpr int kJournalsKept = 50;

} // namespace

JournalWriter::JournalWriter(const QString& command, const QString& folder, QJsonObject header) {
    if (!QDir().mkpath(folder)) {
        error_ = QStringLiteral("Cannot create the journal folder %1").arg(folder);
        return;
    }
    // Names sort by time; the counter separates runs started within one millisecond.
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    for (int n = 0; n < 1000 && fd_ < 0; ++n) {
        path_ = QDir(folder).filePath(QStringLiteral("%1-%2-%3%4")
                                          .arg(stamp)
                                          .arg(n, 3, 10, QLatin1Char('0'))
                                          .arg(command, QString::fromLatin1(kFileSuffix)));
        fd_ = ::open(QFile::encodeName(path_).constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        Fail(QStringLiteral("Cannot create the journal %1"));
        return;
    }
    ::flock(fd_, LOCK_EX);
    header.insert(kCommandKey, command);
    if (!AppendDurably(fd_, MarkLine(kBegin, std::move(header)))) {
        Fail(QStringLiteral("Cannot write the journal %1"));
        ::close(fd_);
        fd_ = -1;
        QFile::remove(path_);
        return;
    }
    SyncFolder(folder);
}

JournalWriter::~JournalWriter() {
    End();
}

bool JournalWriter::Append(const QJsonObject& record) {
    return AppendAll({record});
}

bool JournalWriter::AppendAll(const std::vector<QJsonObject>& records) {
    if (fd_ < 0)
        return false;
    if (records.empty())
        return true;
    if (!AppendDurably(fd_, records)) {
        Fail(QStringLiteral("Cannot write the journal %1"));
        return false;
    }
    records_ += int(records.size());
    return true;
}

void JournalWriter::End() {
    if (fd_ < 0)
        return;
    if (records_ == 0) {
        QFile::remove(path_);
    } else if (!AppendDurably(fd_, MarkLine(kEnd))) {
        // Left without its end, the journal is offered as a run that died: still undoable.
        Fail(QStringLiteral("Cannot write the journal %1"));
    }
    ::close(fd_);
    fd_ = -1;
    PruneJournals(QFileInfo(path_).path(), kJournalsKept);
}

void JournalWriter::Discard() {
    records_ = 0;
    End();
}

void JournalWriter::Fail(const QString& what) {
    error_ = what.arg(QDir::toNativeSeparators(path_)) + QStringLiteral(": ") +
             QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace journal
