// ID3v2 through the entry points: texts and their encodings per version, the year and track
// rules, comments, pictures, and the frames a handle did not set; checked with mutagen.
#include <QFileInfo>
#include <QJsonDocument>

#include "LibraryFixture.h"

namespace tagtest {
namespace {

class Id3v2Test : public LibraryTest {
  protected:
    // Sets one text on a fresh handle and saves; answers Save's result.
    bool SaveText(const QString& file, const char* id, const char* text) {
        const uint32_t h = LoadV2(file);
        Lib().ID3v2_SetAsciiText(h, id, text);
        return Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF;
    }
};

TEST_F(Id3v2Test, NewTagIsV23WithUtf16WhereLatin1DoesNotFit) {
    const struct {
        const char* id;
        const char* text;
        int encoding; // as mutagen reports it: 0 Latin-1, 1 UTF-16 with BOM
    } frames[] = {{"TIT2", "Звезда по имени Солнце", 1},
                  {"TPE1", "Café", 0},
                  {"TALB", "Album", 0},
                  {"TYER", "1998", 0},
                  {"TCON", "Rock", 0},
                  {"TRCK", "3/12", 0}};
    const QString file = Path("new.mp3");
    WriteMp3(file);
    uint32_t h = LoadV2(file);
    EXPECT_FALSE(Lib().ID3v2_Loaded(h) & 0xFF);
    for (const auto& f : frames)
        Lib().ID3v2_SetAsciiText(h, f.id, f.text);
    Lib().ID3v2_SetCOMM(h, "A comment", "");
    EXPECT_EQ(V2Text(h, "TIT2"), frames[0].text); // the handle shows what it set
    ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);

    Reload();
    h = LoadV2(file);
    EXPECT_TRUE(Lib().ID3v2_Loaded(h) & 0xFF);
    const QJsonObject dump = Dump(file);
    EXPECT_EQ(dump["v2"].toObject()["version"].toArray()[1].toInt(), 3);
    for (const auto& f : frames) {
        EXPECT_EQ(V2Text(h, f.id), f.text);
        EXPECT_EQ(FrameText(dump, f.id), QString(f.text));
        EXPECT_EQ(Frames(dump, f.id)[0].toObject()["encoding"].toInt(), f.encoding) << f.id;
    }
    EXPECT_EQ(Lib().ID3v2_GetCOMM(h), std::string("A comment"));
    EXPECT_EQ(Frames(dump, "COMM")[0].toObject()["lang"].toString(), "eng");
    EXPECT_TRUE(dump["v1"].isNull());
    EXPECT_EQ(dump["audio"].toObject()["sha256"].toString(), AudioSha256());
}

TEST_F(Id3v2Test, V24StaysV24AndWritesUtf8) {
    const QString file = Path("v24.mp3");
    WriteMp3(file);
    WriteWithMutagen(file, 4, R"js([["TIT2","Old",0],["TDRC","2004",0]])js");
    ASSERT_TRUE(SaveText(file, "TIT2", "Привет"));
    const QJsonObject dump = Dump(file);
    EXPECT_EQ(dump["v2"].toObject()["version"].toArray()[1].toInt(), 4);
    EXPECT_EQ(FrameText(dump, "TIT2"), "Привет");
    EXPECT_EQ(Frames(dump, "TIT2")[0].toObject()["encoding"].toInt(), 3); // UTF-8
    EXPECT_EQ(FrameText(dump, "TDRC"), "2004");
    EXPECT_EQ(V2Text(LoadV2(file), "TYER"), "2004");
}

TEST_F(Id3v2Test, FreeTextYearsSurviveV23BothSetAndUntouched) {
    const QString file = Path("years.mp3");
    WriteMp3(file);
    for (const char* year : {"98", "199x", "1998 remaster", "2001"}) {
        ASSERT_TRUE(SaveText(file, "TYER", year));
        EXPECT_EQ(FrameText(Dump(file), "TYER"), year);
        EXPECT_EQ(V2Text(LoadV2(file), "TYER"), year);
    }
    // A short year written by another tagger stays when another field is saved.
    WriteMp3(file);
    WriteWithMutagen(file, 3, R"js([["TIT2","T",0],["TYER","98",0]])js");
    ASSERT_TRUE(SaveText(file, "TALB", "Album"));
    const QJsonObject dump = Dump(file);
    EXPECT_EQ(FrameText(dump, "TYER"), "98");
    EXPECT_EQ(FrameText(dump, "TALB"), "Album");
    EXPECT_TRUE(Frames(dump, "TDRC").isEmpty());
}

TEST_F(Id3v2Test, TrackNumberEqualToTheStoredOneKeepsTheStoredText) {
    const QString file = Path("track.mp3");
    WriteMp3(file);
    WriteWithMutagen(file, 3, R"js([["TRCK","3/12",0],["TIT2","Song",0]])js");
    AgeFile(file);
    const int64_t before = ModificationTime(file);
    ASSERT_TRUE(SaveText(file, "TRCK", "3"));
    EXPECT_EQ(FrameText(Dump(file), "TRCK"), "3/12");
    EXPECT_EQ(ModificationTime(file), before);

    WriteMp3(file);
    WriteWithMutagen(file, 3, R"js([["TRCK","03",0]])js");
    ASSERT_TRUE(SaveText(file, "TRCK", "3"));
    EXPECT_EQ(FrameText(Dump(file), "TRCK"), "03");
    ASSERT_TRUE(SaveText(file, "TRCK", "4"));
    EXPECT_EQ(FrameText(Dump(file), "TRCK"), "4");
}

TEST_F(Id3v2Test, GenreComesBackAsTheFramesTextNotAName) {
    const QString file = Path("genre.mp3");
    WriteMp3(file);
    WriteWithMutagen(file, 3, R"js([["TCON","(17)",0]])js");
    // TagLib's reader turns the v2.3 reference "(17)" into "17"; it is never turned into "Rock".
    EXPECT_EQ(V2Text(LoadV2(file), "TCON"), "17");
    ASSERT_TRUE(SaveText(file, "TCON", "Synthwave"));
    EXPECT_EQ(FrameText(Dump(file), "TCON"), "Synthwave");
    EXPECT_EQ(V2Text(LoadV2(file), "TCON"), "Synthwave");
}

TEST_F(Id3v2Test, SavingKeepsEveryFrameTheHandleDidNotSet) {
    const QString file = Path("keep.mp3");
    WriteMp3(file, {}, Id3v1Bytes({"V1 title", "V1 artist", "", "", "", 2, 17}));
    WriteWithMutagen(file, 3, R"js([["TIT2","Title",0],
        ["COMM","iTunNORM","eng"," 00000A2B 00000B3C",0],["COMM","","eng","old comment",0],
        ["TXXX","MusicBrainz Id","abc-123"],["APIC","image/png",3,"cover","89504e470d0a1a0a00"],
        ["APIC","image/jpeg",4,"back","ffd8ffe000"]])js");
    const QJsonObject before = Dump(file);
    const uint32_t h = LoadV2(file);
    EXPECT_EQ(Lib().ID3v2_GetCOMM(h), std::string("old comment"));
    Lib().ID3v2_SetAsciiText(h, "TALB", "New album");
    Lib().ID3v2_SetCOMM(h, "new comment", "");
    ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);

    const QJsonObject after = Dump(file);
    EXPECT_EQ(FrameText(after, "TALB"), "New album");
    EXPECT_EQ(FrameText(after, "TIT2"), "Title");
    EXPECT_EQ(Frames(after, "APIC"), Frames(before, "APIC"));
    EXPECT_EQ(Frames(after, "TXXX"), Frames(before, "TXXX"));
    const QJsonArray comments = Frames(after, "COMM");
    ASSERT_EQ(comments.size(), 2);
    for (const auto& c : comments) {
        const QJsonObject comment = c.toObject();
        if (comment["desc"].toString().isEmpty())
            EXPECT_EQ(comment["text"].toArray()[0].toString(), "new comment");
        else
            EXPECT_TRUE(Frames(before, "COMM").contains(comment))
                << QJsonDocument(comment).toJson().toStdString();
    }
    EXPECT_EQ(after["v1"], before["v1"]);
    EXPECT_EQ(after["audio"], before["audio"]);
}

TEST_F(Id3v2Test, EmptyTextsRemoveFramesAndAnEmptyTagLeavesTheFile) {
    const QString file = Path("remove.mp3");
    WriteMp3(file);
    WriteWithMutagen(file, 3,
                     R"js([["TIT2","Title",0],["TPE1","Artist",0],["COMM","","eng","c",0]])js");
    uint32_t h = LoadV2(file);
    Lib().ID3v2_SetAsciiText(h, "TPE1", "");
    ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    QJsonObject dump = Dump(file);
    EXPECT_TRUE(Frames(dump, "TPE1").isEmpty());
    EXPECT_EQ(FrameText(dump, "TIT2"), "Title");

    h = LoadV2(file);
    Lib().ID3v2_SetAsciiText(h, "TIT2", "");
    Lib().ID3v2_SetCOMM(h, "", "");
    ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    dump = Dump(file);
    EXPECT_TRUE(dump["v2"].isNull());
    EXPECT_EQ(QFileInfo(file).size(), Audio().size());
    EXPECT_FALSE(Lib().ID3v2_Loaded(LoadV2(file)) & 0xFF);
}

TEST_F(Id3v2Test, AlbumPictureGetsTheKindsMimeTypeOrTheSniffedOne) {
    const QString file = Path("cover.mp3");
    const QString png = Path("cover.bin");
    testsupport::WriteFile(png, QByteArray("\x89PNG\r\n\x1A\n", 8) + QByteArray(100, 'x'));
    const struct {
        int kind;
        const char* mime;
    } cases[] = {
        {1, "image/jpeg"}, {2, "image/png"}, {3, "image/bmp"}, {4, "image/gif"}, {0, "image/png"}};
    for (const auto& c : cases) {
        WriteMp3(file);
        const uint32_t h = LoadV2(file);
        Lib().ID3v2_AddAlbumPicture(h, Name(png).c_str(), c.kind);
        ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
        const QJsonArray pictures = Frames(Dump(file), "APIC");
        ASSERT_EQ(pictures.size(), 1);
        EXPECT_EQ(pictures[0].toObject()["mime"].toString(), c.mime);
        EXPECT_EQ(pictures[0].toObject()["type"].toInt(), 3);
    }
    // A second cover replaces the first; an unreadable one changes nothing.
    const QString other = Path("other.bin");
    testsupport::WriteFile(other, "GIF89a" + QByteArray(10, 'y'));
    uint32_t h = LoadV2(file);
    Lib().ID3v2_AddAlbumPicture(h, Name(other).c_str(), 0);
    ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(Frames(Dump(file), "APIC").size(), 1);
    EXPECT_EQ(Frames(Dump(file), "APIC")[0].toObject()["mime"].toString(), "image/gif");
    const QByteArray bytes = testsupport::ReadFile(file);
    h = LoadV2(file);
    Lib().ID3v2_AddAlbumPicture(h, Name(Path("missing.png")).c_str(), 2);
    Lib().ID3v2_AddAlbumPicture(h, Name(folder_.Root()).c_str(), 2);
    EXPECT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(testsupport::ReadFile(file), bytes);
}

// v2.2 frames have three-letter IDs and three-byte sizes.
QByteArray Id3v22Frame(const QByteArray& id, const QByteArray& text) {
    const QByteArray payload = Latin1Text(text);
    QByteArray frame = id;
    frame += static_cast<char>(0);
    frame += static_cast<char>(0);
    frame += static_cast<char>(payload.size());
    return frame + payload;
}

TEST_F(Id3v2Test, V22TagIsReadAndWrittenBackAsV23) {
    const QString file = Path("v22.mp3");
    WriteMp3(file, Id3v2Tag(2, 0,
                            Id3v22Frame("TT2", "Old title") + Id3v22Frame("TP1", "Artist") +
                                Id3v22Frame("TYE", "1987") + QByteArray(20, '\0')));
    uint32_t h = LoadV2(file);
    EXPECT_TRUE(Lib().ID3v2_Loaded(h) & 0xFF);
    EXPECT_EQ(V2Text(h, "TIT2"), "Old title");
    EXPECT_EQ(V2Text(h, "TPE1"), "Artist");
    EXPECT_EQ(V2Text(h, "TYER"), "1987");
    Lib().ID3v2_SetAsciiText(h, "TIT2", "New title");
    ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    const QJsonObject dump = Dump(file);
    EXPECT_EQ(dump["v2"].toObject()["version"].toArray()[1].toInt(), 3);
    EXPECT_EQ(FrameText(dump, "TIT2"), "New title");
    EXPECT_EQ(FrameText(dump, "TPE1"), "Artist");
    EXPECT_EQ(FrameText(dump, "TYER"), "1987");
    EXPECT_EQ(dump["audio"].toObject()["sha256"].toString(), AudioSha256());
}

TEST_F(Id3v2Test, UnsynchronisedV23TagIsNotMistakenForADamagedOne) {
    const QString file = Path("unsync.mp3");
    // The title holds FF E0, stored as FF 00 E0 under whole-tag unsynchronisation; the stored
    // frame size counts the bytes before unsynchronisation.
    const QByteArray title = QByteArray("Sync") + char(0xFF) + char(0xE0);
    QByteArray frame = Id3v2Frame(3, "TIT2", Latin1Text(title));
    frame.replace(QByteArray(1, char(0xFF)), QByteArray("\xFF\x00", 2));
    WriteMp3(file,
             Id3v2Tag(3, 0x80,
                      frame + Id3v2Frame(3, "TPE1", Latin1Text("Artist")) + QByteArray(16, '\0')));
    uint32_t h = LoadV2(file);
    EXPECT_EQ(V2Text(h, "TPE1"), "Artist");
    Lib().ID3v2_SetAsciiText(h, "TALB", "Album");
    ASSERT_TRUE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
    const QJsonObject dump = Dump(file);
    EXPECT_EQ(FrameText(dump, "TALB"), "Album");
    EXPECT_EQ(FrameText(dump, "TPE1"), "Artist");
    EXPECT_EQ(FrameText(dump, "TIT2"), QString::fromLatin1(title));
}

} // namespace
} // namespace tagtest
