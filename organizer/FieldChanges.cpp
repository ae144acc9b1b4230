#include "FieldChanges.h"

#include "translit/Gost779.h"

namespace organizer {
namespace {

using tagaccess::TagFields;

constexpr std::array<int, tagaccess::kTagFieldCount> kId3v1Widths = {30, 30, 30, 4, -1, -1, 30};
// A comment shares its last two bytes with the track number when there is one.
constexpr int kId3v1CommentWithTrack = 28;
const QString kNoTrack = QStringLiteral("0");

TagFields Complete(const TagFields& fields) {
    TagFields complete = fields;
    complete.resize(tagaccess::kTagFieldCount);
    return complete;
}

} // namespace

bool FieldEdit::ChangesAnything() const {
    return autoNumber || std::any_of(values.begin(), values.end(),
                                     [](const std::optional<QString>& v) { return v.has_value(); });
}

TagFields ApplyFieldEdit(const TagFields& old, const FieldEdit& edit, int position) {
    TagFields fields = Complete(old);
    for (size_t i = 0; i < edit.values.size(); ++i) {
        if (edit.values[i])
            fields[i] = *edit.values[i];
    }
    if (edit.autoNumber)
        fields[tagaccess::kTrack] = QString::number(position);
    return fields;
}

TagFields ClearedFields() {
    return tagaccess::EmptyTagFields();
}

TagFields TranslitFields(const TagFields& old, TranslitDirection direction) {
    TagFields fields = Complete(old);
    for (const int field :
         {tagaccess::kTitle, tagaccess::kArtist, tagaccess::kAlbum, tagaccess::kComment}) {
        QString& text = fields[size_t(field)];
        text = direction == TranslitDirection::RusToEng ? translit::CyrillicToLatin(text)
                                                        : translit::LatinToCyrillic(text);
    }
    return fields;
}

TagFields AsStored(const TagFields& fields, int version) {
    TagFields stored = Complete(fields);
    QString& track = stored[tagaccess::kTrack];
    if (version != 1) {
        // Both mean no TRCK frame.
        if (track == kNoTrack)
            track.clear();
        return stored;
    }
    if (track.trimmed().isEmpty())
        track = kNoTrack;
    for (size_t i = 0; i < kId3v1Widths.size(); ++i) {
        int width = kId3v1Widths[i];
        if (i == size_t(tagaccess::kComment) && track != kNoTrack)
            width = kId3v1CommentWithTrack;
        if (width > 0)
            stored[i] = stored[i].left(width);
    }
    return stored;
}

} // namespace organizer
