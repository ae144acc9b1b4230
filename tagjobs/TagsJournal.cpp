#include "TagsJournal.h"

#include "KeptRegions.h"
#include "journal/JournalFile.h"

#include <QJsonArray>
#include <map>

namespace tagjobs {
namespace {

const QString kKind = QStringLiteral("tags");
const QString kCarriedOutKind = QStringLiteral("tags-carried-out");
const QString kPath = QStringLiteral("path");
const QString kId3v1 = QStringLiteral("id3v1");
const QString kId3v2 = QStringLiteral("id3v2");
const QString kRegions = QStringLiteral("regions");
const QString kAfter = QStringLiteral("after");
// Journals of tags from file names written before every run shared one record: each named only
// the versions it wrote, and was written right before its file's change.
const QString kEarlierKind = QStringLiteral("tag-fields");
const QString kEarlierId3v1 = QStringLiteral("v1");
const QString kEarlierId3v2 = QStringLiteral("v2");

QJsonArray FieldsToJson(const tagaccess::TagFields& fields) {
    QJsonArray texts;
    for (int i = 0; i < tagaccess::kTagFieldCount; ++i)
        texts.append(size_t(i) < fields.size() ? fields[size_t(i)] : QString());
    return texts;
}

// Nothing for a missing or damaged entry.
std::optional<tagaccess::TagFields> FieldsFromJson(const QJsonValue& value) {
    const QJsonArray texts = value.toArray();
    if (texts.size() != tagaccess::kTagFieldCount)
        return std::nullopt;
    tagaccess::TagFields fields;
    for (const QJsonValue& text : texts) {
        if (!text.isString())
            return std::nullopt;
        fields.push_back(text.toString());
    }
    return fields;
}

// The file and tags of a record; nothing for a record of another kind or a damaged one.
std::optional<KeptTags> ReadTagsRecord(const QJsonObject& record) {
    const QString kind = record.value(journal::kKindKey).toString();
    const bool earlier = kind == kEarlierKind;
    KeptTags kept{record.value(kPath).toString(),
                  FieldsFromJson(record.value(earlier ? kEarlierId3v1 : kId3v1)),
                  FieldsFromJson(record.value(earlier ? kEarlierId3v2 : kId3v2)),
                  record.value(kRegions),
                  {}};
    const bool complete = earlier ? (kept.id3v1 || kept.id3v2) : (kept.id3v1 && kept.id3v2);
    if ((kind != kKind && !earlier) || kept.path.isEmpty() || !complete)
        return std::nullopt;
    return kept;
}

} // namespace

QJsonObject TagsRecord(const QString& path, const FileTagsBefore& before,
                       const QJsonObject& regions) {
    QJsonObject record{{journal::kKindKey, kKind},
                       {kPath, path},
                       {kId3v1, FieldsToJson(before.id3v1)},
                       {kId3v2, FieldsToJson(before.id3v2)}};
    if (!regions.isEmpty())
        record.insert(kRegions, regions);
    return record;
}

QJsonObject CarriedOutRecord(const QString& path, const QString& after) {
    QJsonObject record{{journal::kKindKey, kCarriedOutKind}, {kPath, path}};
    if (!after.isEmpty())
        record.insert(kAfter, after);
    return record;
}

std::vector<KeptTags> FilesToRestore(const journal::JournalInfo& journal) {
    const std::vector<QJsonObject> records = journal::RecordsNewestFirst(journal.path, kPieceKind);
    // Each carried-out file with the digest its change left.
    std::map<QString, QString> carriedOut;
    for (const QJsonObject& record : records) {
        if (record.value(journal::kKindKey).toString() == kCarriedOutKind)
            carriedOut.emplace(record.value(kPath).toString(), record.value(kAfter).toString());
    }
    std::vector<KeptTags> files;
    for (const QJsonObject& record : records) {
        const bool earlier = record.value(journal::kKindKey).toString() == kEarlierKind;
        std::optional<KeptTags> file = ReadTagsRecord(record);
        if (!file)
            continue;
        const auto done = carriedOut.find(file->path);
        if (done != carriedOut.end())
            file->after = done->second;
        if (earlier || !journal.ended || done != carriedOut.end())
            files.push_back(std::move(*file));
    }
    return files;
}

} // namespace tagjobs
