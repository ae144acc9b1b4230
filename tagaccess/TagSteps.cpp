#include "TagSteps.h"

#include "DllErrors.h"
#include "GenreTable.h"
#include "TextRepairs.h"
#include "platform/AnsiText.h"
#include "platform/RuntimeText.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstring>
#include <limits>

namespace tagaccess::steps {
namespace {

using platform::FromAnsi;
using platform::ToAnsi;

// Frame IDs of entries 0 to 5 in the ID3v2 tag.
constexpr std::array<const char*, 6> kFrameIds = {"TIT2", "TPE1", "TALB", "TYER", "TCON", "TRCK"};

// The track text of a tag that holds no track number.
constexpr QStringView kNoTrack = u"0";

// The library's answers for a file still marked by a rewrite made under another of its names,
// and for a change of version that would lose frames.
constexpr int32_t kUnfinishedRewrite = -1;
constexpr int32_t kUnconvertedFrames = -2;

// Why the handle's last load or write failed, as the system said it; empty when it gave no
// reason, or the library is one that cannot say.
QString SystemReason(const TDll& library, TagHandle handle, int version) {
    int32_t error = 0;
    try {
        error = GetIntEntry(library,
                            version == 1 ? "ID3v1_GetLastError" : "ID3v2_GetLastError")(handle);
    } catch (const EDllProcError&) {
        return QString();
    }
    if (error == kUnconvertedFrames)
        return QStringLiteral("these frames have no equivalent in that ID3v2 version and would be "
                              "lost: %1")
            .arg(QString::fromLatin1(GetTextEntry(library, "ID3v2_GetUnconvertedFrames")(handle)));
    if (error == kUnfinishedRewrite)
        return QStringLiteral("the file is in the middle of a save made under another of its "
                              "names, in another folder: open it once by that name to finish the "
                              "save");
    return error <= 0 ? QString() : QString::fromLocal8Bit(std::strerror(error));
}

// The library's kind of a picture file, from its first bytes: a name may lie about them.
int32_t PictureKind(const QString& picturePath) {
    QFile file(picturePath);
    const QByteArray start = file.open(QIODevice::ReadOnly) ? file.read(8) : QByteArray();
    if (start.startsWith("\xFF\xD8\xFF"))
        return 1;
    if (start.startsWith("\x89PNG\r\n\x1A\n"))
        return 2;
    if (start.startsWith("BM"))
        return 3;
    if (start.startsWith("GIF87a") || start.startsWith("GIF89a"))
        return 4;
    return 0;
}

} // namespace

const QString& Field(const TagFields& fields, int index) {
    static const QString empty;
    return index < static_cast<int>(fields.size()) ? fields[static_cast<size_t>(index)] : empty;
}

void FillId3v1(const TDll& library, TagHandle handle, TagFields& fields) {
    fields[kTitle] = FromAnsi(GetTextEntry(library, "ID3v1_GetTitle")(handle));
    fields[kArtist] = FromAnsi(GetTextEntry(library, "ID3v1_GetArtist")(handle));
    fields[kAlbum] = FromAnsi(GetTextEntry(library, "ID3v1_GetAlbum")(handle));
    fields[kYear] = FromAnsi(GetTextEntry(library, "ID3v1_GetYear")(handle));
    fields[kGenre] = FromAnsi(GetTextEntry(library, "ID3v1_GetGenre")(handle));
    fields[kTrack] = platform::IntToStr(GetIntEntry(library, "ID3v1_GetTrack")(handle));
    fields[kComment] = FromAnsi(GetTextEntry(library, "ID3v1_GetComment")(handle));
}

void FillId3v2(const TDll& library, TagHandle handle, TagFields& fields) {
    const GetFrameEntry getText(library, "ID3v2_GetAsciiText");
    for (int index = kTitle; index <= kGenre; ++index)
        fields[static_cast<size_t>(index)] =
            FromAnsi(getText(handle, kFrameIds[static_cast<size_t>(index)]));
    fields[kTrack] = platform::IntToStr(TrackNumber(FromAnsi(getText(handle, "TRCK"))));
    fields[kComment] = FromAnsi(GetTextEntry(library, "ID3v2_GetCOMM")(handle));
}

void StoreId3v1(const TDll& library, TagHandle handle, const TagFields& fields,
                const QString& path) {
    const auto setText = [&](const char* entry, int index) {
        TextCallEntry(library, entry)(handle, ToAnsi(Field(fields, index)).constData());
    };
    setText("ID3v1_SetTitle", kTitle);
    setText("ID3v1_SetArtist", kArtist);
    setText("ID3v1_SetAlbum", kAlbum);
    setText("ID3v1_SetYear", kYear);
    SetByteEntry(library, "ID3v1_SetGenre")(handle,
                                            GenreNumber(Field(fields, kGenre), TheGenreTable()));
    // Converted only now: a track that is no number ends the write before anything is saved.
    const uint8_t track = TrackByte(Field(fields, kTrack));
    SetByteEntry(library, "ID3v1_SetTrack")(handle, track);
    setText("ID3v1_SetComment", kComment);
    CheckWritten(library, handle, 1,
                 TextCallEntry(library, "ID3v1_Save")(handle, ToAnsi(path).constData()),
                 QStringLiteral("The ID3v1 tag could not be saved to \"%1\"").arg(path));
}

void SetId3v2Texts(const TDll& library, TagHandle handle, const TagFields& fields,
                   const FieldMask& only) {
    const SetFrameEntry setText(library, "ID3v2_SetAsciiText");
    for (int index = kTitle; index < kTrack; ++index) {
        if (only[size_t(index)])
            setText(handle, kFrameIds[static_cast<size_t>(index)],
                    ToAnsi(Field(fields, index)).constData());
    }
    // Track 0 means "no track": a TRCK frame "0" would show as track 0 in players.
    const QString& track = Field(fields, kTrack);
    if (only[kTrack])
        setText(handle, "TRCK", track == kNoTrack ? "" : ToAnsi(track).constData());
    if (only[kComment])
        SetFrameEntry(library, "ID3v2_SetCOMM")(handle, ToAnsi(Field(fields, kComment)).constData(),
                                                "");
}

void AttachPicture(const TDll& library, TagHandle handle, const QString& picturePath) {
    if (picturePath.isEmpty() || !QFileInfo(picturePath).isFile())
        return;
    const AddPictureEntry addPicture(library, "ID3v2_AddAlbumPicture");
    addPicture(handle, ToAnsi(picturePath).constData(), PictureKind(picturePath));
}

void SaveId3v2(const TDll& library, TagHandle handle, const QString& path) {
    CheckWritten(library, handle, 2,
                 TextCallEntry(library, "ID3v2_Save")(handle, ToAnsi(path).constData()),
                 QStringLiteral("The ID3v2 tag could not be saved to \"%1\"").arg(path));
}

std::vector<TagPicture> AllPictures(const TDll& library, TagHandle handle) {
    const int32_t count = GetIntEntry(library, "ID3v2_GetPictureCount")(handle);
    const PictureIntEntry type(library, "ID3v2_GetPictureType");
    const PictureIntEntry size(library, "ID3v2_GetPictureSize");
    const PictureTextEntry mime(library, "ID3v2_GetPictureMime");
    const PictureTextEntry data(library, "ID3v2_GetPictureData");
    std::vector<TagPicture> pictures;
    for (int32_t index = 0; index < count; ++index) {
        TagPicture picture;
        picture.type = type(handle, index);
        picture.mimeType = FromAnsi(mime(handle, index));
        const int32_t bytes = size(handle, index);
        picture.data = QByteArray(data(handle, index), bytes);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

AudioFacts ReadFacts(const TDll& library, TagHandle handle) {
    const FileInfoEntry value(library, "ID3v2_GetFileInfo");
    AudioFacts facts;
    facts.lengthMs = value(handle, "length");
    facts.bitrate = value(handle, "bitrate");
    facts.sampleRate = value(handle, "samplerate");
    facts.channels = value(handle, "channels");
    facts.vbr = value(handle, "vbr") != 0;
    facts.mpegVersion = value(handle, "mpegversion");
    facts.layer = value(handle, "layer");
    facts.channelMode = value(handle, "channelmode");
    facts.id3v2Version = value(handle, "id3v2version");
    facts.id3v2Size = value(handle, "id3v2size");
    facts.id3v2Padding = value(handle, "id3v2padding");
    facts.id3v1 = value(handle, "id3v1") != 0;
    return facts;
}

void CheckWritten(const TDll& library, TagHandle handle, int version, int32_t answer,
                  const QString& failure) {
    if (LowByte(answer))
        return;
    const QString reason = SystemReason(library, handle, version);
    throw platform::Exception(reason.isEmpty() ? failure + u'.'
                                               : QStringLiteral("%1: %2.").arg(failure, reason));
}

void CheckLoaded(const TDll& library, TagHandle handle, int version, const QString& path) {
    const QString reason = SystemReason(library, handle, version);
    if (!reason.isEmpty())
        throw platform::Exception(
            QStringLiteral("The tags of \"%1\" cannot be read: %2.").arg(path, reason));
}

QString MissingSourceTag(const QString& tagName, const QString& path) {
    return QStringLiteral("There is no %1 tag to copy in \"%2\".").arg(tagName, path);
}

void RemoveTag(const TDll& library, int version, const QString& path) {
    const bool v1 = version == 1;
    const TagHandle handle = CreateEntry(library, v1 ? "ID3v1_Create" : "ID3v2_Create")();
    CheckWritten(library, handle, version,
                 RemoveTagEntry(library, v1 ? "ID3v1_Remove"
                                            : "ID3v2_Remove")(handle, ToAnsi(path).constData()),
                 QStringLiteral("The %1 tag could not be removed from \"%2\"")
                     .arg(QLatin1String(v1 ? "ID3v1" : "ID3v2"), path));
}

TagFields MergeFields(const TagFields& v1, const TagFields& v2, int8_t preferredVersion) {
    TagFields merged = EmptyTagFields();
    for (int index = 0; index < kTagFieldCount; ++index) {
        const QString one = platform::Trim(Field(v1, index));
        const QString two = platform::Trim(Field(v2, index));
        QString& result = merged[static_cast<size_t>(index)];
        if (one.isEmpty())
            result = two;
        else if (two.isEmpty())
            result = one;
        // A tag without a track number reads as track "0"; a real number on the other side wins.
        else if (index == kTrack && (one == kNoTrack) != (two == kNoTrack))
            result = one == kNoTrack ? two : one;
        // The same name read two ways is no disagreement: both tags get the readable reading.
        else if (const std::optional<QString> readable =
                     one != two ? ReadableOfBoth(one, two) : std::nullopt)
            result = *readable;
        else
            result = preferredVersion == 2 ? two : one;
    }
    return merged;
}

uint8_t TrackByte(const QString& track) {
    const int32_t number = platform::StrToInt(track);
    // Keeping only the low 8 bits turned 300 into track 44, a different track.
    return number >= 0 && number <= 255 ? static_cast<uint8_t>(number) : 0;
}

int32_t TrackNumber(const QString& frameText) {
    // "3/12" is track 3 of 12: reading every digit made it 312.
    int64_t number = 0;
    for (const QChar c : QStringView(frameText).left(frameText.indexOf(u'/'))) {
        if (c < u'0' || c > u'9')
            continue;
        number = number * 10 + (c.unicode() - u'0');
        if (number > std::numeric_limits<int32_t>::max())
            return 0;
    }
    return static_cast<int32_t>(number);
}

} // namespace tagaccess::steps
