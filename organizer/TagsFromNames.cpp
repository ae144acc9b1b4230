#include "TagsFromNames.h"

#include "BatchRun.h"
#include "ListFiles.h"
#include "TForm2.h"
#include "journal/JournalReader.h"
#include "journal/JournalWriter.h"
#include "naming/FieldsFromPath.h"

#include <QFileInfo>
#include <QJsonArray>

namespace organizer {
namespace {

const QString kRecordKind = QStringLiteral("tag-fields");
const QString kPathKey = QStringLiteral("path");
const QString kV1Key = QStringLiteral("v1");
const QString kV2Key = QStringLiteral("v2");

QJsonArray ToJson(const tagaccess::TagFields& fields) {
    QJsonArray texts;
    for (const QString& text : fields)
        texts.append(text);
    return texts;
}

tagaccess::TagFields FromJson(const QJsonValue& value) {
    tagaccess::TagFields fields = tagaccess::EmptyTagFields();
    const QJsonArray texts = value.toArray();
    for (qsizetype k = 0; k < texts.size() && k < qsizetype(fields.size()); ++k)
        fields[size_t(k)] = texts[k].toString();
    return fields;
}

// Why a write with its messages off failed, as far as the file itself tells.
QString WriteFailure(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("failed: the file is gone");
    if (!file.isWritable())
        return QStringLiteral("failed: the file is read-only");
    return QStringLiteral("failed: the tag library could not write the tag");
}

bool WriteV2(tagaccess::ID3& id3, const QString& path, tagaccess::TagFields fields) {
    // No picture to attach: the tag keeps its own.
    fields.resize(size_t(tagaccess::kTagFieldCountWithPicture));
    return id3.WriteId3v2(path, fields, false);
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
        tagaccess::TagFields v1 =
            versions.v1 ? id3.ReadId3v1(reading.path, false) : tagaccess::TagFields();
        tagaccess::TagFields v2 =
            versions.v2 ? id3.ReadId3v2(reading.path, false) : tagaccess::TagFields();
        QJsonObject record{{journal::kKindKey, kRecordKind}, {kPathKey, reading.path}};
        if (versions.v1)
            record.insert(kV1Key, ToJson(v1));
        if (versions.v2)
            record.insert(kV2Key, ToJson(v2));
        if (!journal.Append(record)) {
            text = QStringLiteral("failed: ") + journal.ErrorText();
            result.journalError = journal.ErrorText();
            ++result.failed;
            form.Running = 0;
            return BatchOutcome::NotDone;
        }
        for (int k = 0; k < naming::kTagFieldCount; ++k) {
            if (!pattern.Names(naming::Field(k)))
                continue;
            if (versions.v1)
                v1[size_t(k)] = (*reading.fields)[size_t(k)];
            if (versions.v2)
                v2[size_t(k)] = (*reading.fields)[size_t(k)];
        }
        const bool written = (!versions.v1 || id3.WriteId3v1(reading.path, v1, false)) &&
                             (!versions.v2 || WriteV2(id3, reading.path, v2));
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
        const QString path = record.value(kPathKey).toString();
        const bool written =
            record.value(journal::kKindKey).toString() == kRecordKind && !path.isEmpty() &&
            (!record.contains(kV1Key) ||
             id3.WriteId3v1(path, FromJson(record.value(kV1Key)), false)) &&
            (!record.contains(kV2Key) || WriteV2(id3, path, FromJson(record.value(kV2Key))));
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
