#include "TagsFromNameFile.h"

#include "TagWrite.h"

#include <algorithm>

namespace batch {
namespace {

const QString kRecordKind = QStringLiteral("tag-fields");
const QString kPathKey = QStringLiteral("path");
const QString kV1Key = QStringLiteral("v1");
const QString kV2Key = QStringLiteral("v2");

} // namespace

tagaccess::TagFields WithNamedFields(tagaccess::TagFields tag, const naming::NameFields& read,
                                     const naming::NamePattern& pattern) {
    tag.resize(std::max(tag.size(), size_t(naming::kTagFieldCount)));
    for (int k = 0; k < naming::kTagFieldCount; ++k) {
        if (pattern.Names(naming::Field(k)))
            tag[size_t(k)] = read[size_t(k)];
    }
    return tag;
}

TagsWrite WriteTagsFromName(tagaccess::ID3& id3, journal::JournalWriter& journal,
                            const QString& path, const naming::NameFields& read,
                            const naming::NamePattern& pattern, TagVersions versions,
                            bool showErrors) {
    const tagaccess::TagFields v1 =
        versions.v1 ? id3.ReadId3v1(path, showErrors) : tagaccess::TagFields();
    const tagaccess::TagFields v2 =
        versions.v2 ? id3.ReadId3v2(path, showErrors) : tagaccess::TagFields();
    QJsonObject record{{journal::kKindKey, kRecordKind}, {kPathKey, path}};
    if (versions.v1)
        record.insert(kV1Key, FieldsToJson(v1));
    if (versions.v2)
        record.insert(kV2Key, FieldsToJson(v2));
    if (!journal.Append(record))
        return TagsWrite::JournalFailed;
    const bool written =
        (!versions.v1 ||
         WriteTagVersion(id3, path, 1, WithNamedFields(v1, read, pattern), showErrors)) &&
        (!versions.v2 ||
         WriteTagVersion(id3, path, 2, WithNamedFields(v2, read, pattern), showErrors));
    return written ? TagsWrite::Written : TagsWrite::WriteFailed;
}

QString TagsRecordPath(const QJsonObject& record) {
    return record.value(journal::kKindKey).toString() == kRecordKind
               ? record.value(kPathKey).toString()
               : QString();
}

bool UndoTagsFromName(tagaccess::ID3& id3, const QJsonObject& record, bool showErrors) {
    const QString path = TagsRecordPath(record);
    const auto restore = [&](const QString& key, int version) {
        if (!record.contains(key))
            return true;
        const std::optional<tagaccess::TagFields> old = FieldsFromJson(record.value(key));
        return old && WriteTagVersion(id3, path, version, *old, showErrors);
    };
    return !path.isEmpty() && restore(kV1Key, 1) && restore(kV2Key, 2);
}

} // namespace batch
