#include "TagWrite.h"

#include <algorithm>

namespace batch {

bool WriteTagVersion(tagaccess::ID3& id3, const QString& path, int version,
                     tagaccess::TagFields fields, bool showErrors) {
    fields.resize(std::max(fields.size(), size_t(tagaccess::kTagFieldCount)));
    if (version == 1) {
        // A file without an ID3v1 tag reads with no track text, which the write refuses.
        QString& track = fields[size_t(tagaccess::kTrack)];
        if (track.trimmed().isEmpty())
            track = QStringLiteral("0");
        return id3.WriteId3v1(path, fields, showErrors);
    }
    fields.resize(size_t(tagaccess::kTagFieldCountWithPicture));
    fields.back().clear();
    return id3.WriteId3v2(path, fields, showErrors);
}

QJsonArray FieldsToJson(const tagaccess::TagFields& fields) {
    QJsonArray texts;
    for (int i = 0; i < tagaccess::kTagFieldCount; ++i)
        texts.append(size_t(i) < fields.size() ? fields[size_t(i)] : QString());
    return texts;
}

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

} // namespace batch
