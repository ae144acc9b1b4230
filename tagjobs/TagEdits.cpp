#include "TagEdits.h"

#include "translit/Gost779.h"

#include <QRegularExpression>
#include <algorithm>

namespace tagjobs {
namespace {

using tagaccess::TagFields;

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

TagFields ApplyFieldEdit(const TagFields& old, const FieldEdit& edit, int version, int position) {
    TagFields fields = Complete(old);
    for (size_t i = 0; i < edit.values.size(); ++i) {
        if (edit.values[i])
            fields[i] = *edit.values[i];
    }
    if (edit.autoNumber)
        fields[tagaccess::kTrack] = QString::number(position);
    // "5/12" is the form ID3v2 keeps; an ID3v1 record has room for the 5 only.
    QString& track = fields[tagaccess::kTrack];
    static const QRegularExpression ofTotal(QStringLiteral("^\\s*(\\d+)/\\d+\\s*$"));
    if (const QRegularExpressionMatch match = ofTotal.match(track);
        version == 1 && match.hasMatch())
        track = match.captured(1);
    return fields;
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

} // namespace tagjobs
