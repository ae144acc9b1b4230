#include "Id3v1Storage.h"

#include "GenreTable.h"
#include "TagSteps.h"
#include "platform/Exception.h"
#include "textrepair/Codepages.h"

#include <algorithm>
#include <array>

namespace tagaccess {
namespace {

// Widths of the ID3v1 texts; genre and track are bytes of their own.
constexpr std::array<int, kTagFieldCount> kId3v1Widths = {30, 30, 30, 4, 0, 0, 30};
// A comment gives its last two bytes to the track when there is one.
constexpr int kCommentWidthWithTrack = 28;
const QString kNoTrack = QStringLiteral("0");

bool InCp1251(QChar c) {
    const char32_t character = c.unicode();
    return kivuna::textrepair::Encode(std::u32string_view(&character, 1),
                                      kivuna::textrepair::Codepage::Windows1251)
        .has_value();
}

QString WithoutTrailingBlanks(QString text) {
    while (!text.isEmpty() && text.back().unicode() <= u' ')
        text.chop(1);
    return text;
}

} // namespace

QString AsEncodedInId3v1(const QString& text) {
    const bool latin1 =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (latin1 || std::all_of(text.begin(), text.end(), InCp1251))
        return text;
    QString stored = text;
    for (QChar& c : stored)
        if (c.unicode() > 0xFF)
            c = u'?';
    return stored;
}

QStringList TextsId3v1Garbles(const TagFields& fields) {
    QStringList garbled;
    for (const int field : {kTitle, kArtist, kAlbum, kYear, kComment}) {
        const QString& text = steps::Field(fields, field);
        if (AsEncodedInId3v1(text) != text)
            garbled << text;
    }
    return garbled;
}

TagFields AsStoredInId3v1(const TagFields& fields) {
    TagFields stored = EmptyTagFields();
    uint8_t track = 0;
    try {
        track = steps::TrackByte(steps::Field(fields, kTrack));
    } catch (const platform::Exception&) {
        // No whole number: the record keeps no track.
    }
    for (int field = 0; field < kTagFieldCount; ++field) {
        const int width =
            field == kComment && track != 0 ? kCommentWidthWithTrack : kId3v1Widths[size_t(field)];
        stored[size_t(field)] =
            WithoutTrailingBlanks(AsEncodedInId3v1(steps::Field(fields, field)).left(width));
    }
    const GenreTable& genres = TheGenreTable();
    const uint8_t genre = GenreNumber(steps::Field(fields, kGenre), genres);
    stored[kGenre] = GenreName(genre, genres);
    stored[kTrack] = QString::number(track);
    return stored;
}

TagFields AsStoredInId3v2(const TagFields& fields) {
    TagFields stored = fields;
    stored.resize(kTagFieldCount);
    if (stored[kTrack] == kNoTrack)
        stored[kTrack].clear();
    return stored;
}

TagFields AsStored(const TagFields& fields, int version) {
    return version == 1 ? AsStoredInId3v1(fields) : AsStoredInId3v2(fields);
}

} // namespace tagaccess
