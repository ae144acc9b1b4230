#include "TagsFromNameFile.h"

#include <QJsonArray>
#include <algorithm>

namespace batch {
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

// A file without an ID3v1 tag reads with no track text, which the write refuses; the tag
// stores "no track" as 0.
bool WriteV1(tagaccess::ID3& id3, const QString& path, tagaccess::TagFields fields,
             bool showErrors) {
    QString& track = fields[size_t(tagaccess::kTrack)];
    if (track.trimmed().isEmpty())
        track = QStringLiteral("0");
    return id3.WriteId3v1(path, fields, showErrors);
}

bool WriteV2(tagaccess::ID3& id3, const QString& path, tagaccess::TagFields fields,
             bool showErrors) {
    // No picture to attach: the tag keeps its own.
    fields.resize(size_t(tagaccess::kTagFieldCountWithPicture));
    return id3.WriteId3v2(path, fields, showErrors);
}

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
        record.insert(kV1Key, ToJson(v1));
    if (versions.v2)
        record.insert(kV2Key, ToJson(v2));
    if (!journal.Append(record))
        return TagsWrite::JournalFailed;
    const bool written =
        (!versions.v1 || WriteV1(id3, path, WithNamedFields(v1, read, pattern), showErrors)) &&
        (!versions.v2 || WriteV2(id3, path, WithNamedFields(v2, read, pattern), showErrors));
    return written ? TagsWrite::Written : TagsWrite::WriteFailed;
}

QString TagsRecordPath(const QJsonObject& record) {
    return record.value(journal::kKindKey).toString() == kRecordKind
               ? record.value(kPathKey).toString()
               : QString();
}

bool UndoTagsFromName(tagaccess::ID3& id3, const QJsonObject& record, bool showErrors) {
    const QString path = TagsRecordPath(record);
    return !path.isEmpty() &&
           (!record.contains(kV1Key) ||
            WriteV1(id3, path, FromJson(record.value(kV1Key)), showErrors)) &&
           (!record.contains(kV2Key) ||
            WriteV2(id3, path, FromJson(record.value(kV2Key)), showErrors));
}

} // namespace batch
