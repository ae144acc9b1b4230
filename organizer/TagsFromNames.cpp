#include "TagsFromNames.h"

#include "BatchRun.h"
#include "ListFiles.h"
#include "TForm2.h"
#include "journal/JournalReader.h"
#include "journal/JournalWriter.h"
#include "naming/FieldsFromPath.h"

#include <QFileInfo>

namespace organizer {
namespace {

// Why a write with its messages off failed, as far as the file itself tells.
QString WriteFailure(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("failed: the file is gone");
    if (!file.isWritable())
        return QStringLiteral("failed: the file is read-only");
    return QStringLiteral("failed: the tag library could not write the tag");
}

} // namespace

std::vector<NameReading> ReadNames(const std::vector<batch::MoveSource>& files,
                                   const naming::NamePattern& pattern) {
    std::vector<NameReading> readings;
    readings.reserve(files.size());
    for (const batch::MoveSource& file : files)
        readings.push_back({file.path, naming::FieldsFromPath(pattern, file.path)});
    return readings;
}

TagsRunResult WriteTagsFromNames(TForm2& form, const std::vector<NameReading>& readings,
                                 const naming::NamePattern& pattern, TagVersions versions) {
    TagsRunResult result;
    result.results = QStringList(qsizetype(readings.size()), QString());
    journal::JournalWriter journal(kTagsFromNamesCommand);
    if (!journal.IsOpen()) {
        result.journalError = journal.ErrorText();
        return result;
    }
    tagaccess::ID3& id3 = *ListFilesId3();
    QStringList touched;
    BatchRun run(form, QStringLiteral("Writing tags..."));
    run.Run(int(readings.size()), [&](int i) {
        const NameReading& reading = readings[size_t(i)];
        QString& text = result.results[i];
        if (!reading.fields) {
            text = QStringLiteral("does not fit the pattern");
            return BatchOutcome::NotDone;
        }
        const batch::TagsWrite outcome = batch::WriteTagsFromName(
            id3, journal, reading.path, *reading.fields, pattern, versions, false);
        if (outcome == batch::TagsWrite::JournalFailed) {
            text = QStringLiteral("failed: ") + journal.ErrorText();
            result.journalError = journal.ErrorText();
            ++result.failed;
            form.Running = 0;
            return BatchOutcome::NotDone;
        }
        const bool written = outcome == batch::TagsWrite::Written;
        touched << reading.path;
        if (!written) {
            text = WriteFailure(reading.path);
            ++result.failed;
            return BatchOutcome::NotDone;
        }
        text = QStringLiteral("written");
        ++result.written;
        return BatchOutcome::Done;
    });
    result.stopped = run.Stopped();
    form.FilesTagsChanged(touched);
    return result;
}

TagsUndoResult UndoTagsFromNames(TForm2& form, const QString& journalPath) {
    TagsUndoResult result;
    const std::vector<QJsonObject> records = journal::RecordsNewestFirst(journalPath);
    tagaccess::ID3& id3 = *ListFilesId3();
    QStringList touched;
    BatchRun run(form, QStringLiteral("Undoing..."));
    run.Run(int(records.size()), [&](int i) {
        const QJsonObject& record = records[size_t(i)];
        const QString path = batch::TagsRecordPath(record);
        const bool written = batch::UndoTagsFromName(id3, record, false);
        touched << path;
        if (!written) {
            result.failures << QFileInfo(path).fileName() + QStringLiteral(": ") +
                                   WriteFailure(path).mid(8);
            return BatchOutcome::NotDone;
        }
        ++result.restored;
        return BatchOutcome::Done;
    });
    result.stopped = run.Stopped();
    form.FilesTagsChanged(touched);
    if (result.failures.isEmpty() && !result.stopped)
        journal::MarkUndone(journalPath);
    return result;
}

} // namespace organizer
