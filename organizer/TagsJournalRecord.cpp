#include "TagsJournalRecord.h"

#include "batch/TagWrite.h"
#include "journal/JournalFile.h"

#include <QJsonArray>
#include <optional>
#include <set>

namespace organizer {
namespace {

const QString kKind = QStringLiteral("tags");
const QString kCarriedOutKind = QStringLiteral("tags-carried-out");
const QString kPath = QStringLiteral("path");
const QString kId3v1 = QStringLiteral("id3v1");
const QString kId3v2 = QStringLiteral("id3v2");

// The file and tags of a record; nothing for a record of another kind or a damaged one.
std::optional<KeptTags> ReadTagsRecord(const QJsonObject& record) {
    const std::optional<tagaccess::TagFields> v1 = batch::FieldsFromJson(record.value(kId3v1));
    const std::optional<tagaccess::TagFields> v2 = batch::FieldsFromJson(record.value(kId3v2));
    const QString path = record.value(kPath).toString();
    if (record.value(journal::kKindKey).toString() != kKind || path.isEmpty() || !v1 || !v2)
        return std::nullopt;
    return KeptTags{path, {*v1, *v2}};
}

} // namespace

const QString kEditCommand = QStringLiteral("edit-tags");
const QString kClearCommand = QStringLiteral("clear-tags");
const QString kRemoveCommand = QStringLiteral("remove-tags");
const QString kTranslitCommand = QStringLiteral("translit-tags");

QStringList TagCommandNames() {
    return {kEditCommand, kClearCommand, kRemoveCommand, kTranslitCommand};
}

QString TagCommandCaption(const QString& command) {
    if (command == kEditCommand)
        return QStringLiteral("Edit tags");
    if (command == kClearCommand)
        return QStringLiteral("Leave ID3 tags");
    if (command == kRemoveCommand)
        return QStringLiteral("Kill ID3 tags");
    return QStringLiteral("Translit tag fields");
}

QJsonObject TagsRecord(const QString& path, const FileTagsBefore& before) {
    return {{journal::kKindKey, kKind},
            {kPath, path},
            {kId3v1, batch::FieldsToJson(before.id3v1)},
            {kId3v2, batch::FieldsToJson(before.id3v2)}};
}

QJsonObject CarriedOutRecord(const QString& path) {
    return {{journal::kKindKey, kCarriedOutKind}, {kPath, path}};
}

std::vector<KeptTags> FilesToRestore(const journal::JournalInfo& journal) {
    const std::vector<QJsonObject> records = journal::RecordsNewestFirst(journal.path);
    std::set<QString> carriedOut;
    for (const QJsonObject& record : records) {
        if (record.value(journal::kKindKey).toString() == kCarriedOutKind)
            carriedOut.insert(record.value(kPath).toString());
    }
    std::vector<KeptTags> files;
    for (const QJsonObject& record : records) {
        std::optional<KeptTags> file = ReadTagsRecord(record);
        if (file && (!journal.ended || carriedOut.count(file->path) != 0))
            files.push_back(std::move(*file));
    }
    return files;
}

} // namespace organizer
