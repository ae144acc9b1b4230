// ID3v1 through the entry points: v1.1 layout, Latin-1 and Windows-1251 texts, genre bytes,
// track bytes, removal of an empty record; checked on disk with an independent parse.
#include <QFileInfo>

#include "LibraryFixture.h"

namespace tagtest {
namespace {

class Id3v1Test : public LibraryTest {};

TEST_F(Id3v1Test, WritesEveryFieldAndReadsItBackAfterUnloading) {
    const QString file = Path("plain.mp3");
    WriteMp3(file);
    uint32_t h = LoadV1(file);
    EXPECT_EQ(Lib().ID3v1_GetTitle(h), std::string());
    Lib().ID3v1_SetTitle(h, "Café del Mar");
    Lib().ID3v1_SetArtist(h, "Sigur Rós");
    Lib().ID3v1_SetAlbum(h, "Ágætis byrjun");
    Lib().ID3v1_SetYear(h, "199x");
    Lib().ID3v1_SetComment(h, "ripped from CD");
    Lib().ID3v1_SetGenre(h, 29);
    Lib().ID3v1_SetTrack(h, 7);
    ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);

    Reload();
    h = LoadV1(file);
    EXPECT_TRUE(Lib().ID3v1_Load(h, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(Lib().ID3v1_GetTitle(h), std::string("Café del Mar"));
    EXPECT_EQ(Lib().ID3v1_GetArtist(h), std::string("Sigur Rós"));
    EXPECT_EQ(Lib().ID3v1_GetAlbum(h), std::string("Ágætis byrjun"));
    EXPECT_EQ(Lib().ID3v1_GetYear(h), std::string("199x"));
    EXPECT_EQ(Lib().ID3v1_GetComment(h), std::string("ripped from CD"));
    EXPECT_EQ(Lib().ID3v1_GetGenre(h), std::string("Jazz+Funk"));
    EXPECT_EQ(Lib().ID3v1_GetTrack(h), 7);

    const QJsonObject dump = Dump(file);
    const QJsonObject v1 = dump["v1"].toObject();
    EXPECT_EQ(v1["title"].toObject()["latin1"].toString(), "Café del Mar");
    EXPECT_EQ(v1["artist"].toObject()["latin1"].toString(), "Sigur Rós");
    EXPECT_EQ(v1["album"].toObject()["latin1"].toString(), "Ágætis byrjun");
    EXPECT_EQ(v1["year"].toObject()["latin1"].toString(), "199x");
    EXPECT_EQ(v1["comment"].toObject()["latin1"].toString(), "ripped from CD");
    EXPECT_EQ(v1["genre"].toInt(), 29);
    EXPECT_EQ(v1["track"].toInt(), 7);
    EXPECT_TRUE(dump["v2"].isNull());
    EXPECT_EQ(dump["audio"].toObject()["sha256"].toString(), AudioSha256());
}

TEST_F(Id3v1Test, CyrillicIsWrittenAsWindows1251AndReadBack) {
    const QString file = Path("cyr.mp3");
    WriteMp3(file);
    uint32_t h = LoadV1(file);
    Lib().ID3v1_SetTitle(h, "Звезда по имени Солнце");
    Lib().ID3v1_SetArtist(h, "Кино");
    Lib().ID3v1_SetComment(h, "Ёлка и ёж");
    ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
    Reload();
    h = LoadV1(file);
    EXPECT_EQ(Lib().ID3v1_GetTitle(h), std::string("Звезда по имени Солнце"));
    EXPECT_EQ(Lib().ID3v1_GetArtist(h), std::string("Кино"));
    EXPECT_EQ(Lib().ID3v1_GetComment(h), std::string("Ёлка и ёж"));
    const QJsonObject v1 = Dump(file)["v1"].toObject();
    EXPECT_EQ(v1["title"].toObject()["cp1251"].toString(), "Звезда по имени Солнце");
    EXPECT_EQ(v1["comment"].toObject()["cp1251"].toString(), "Ёлка и ёж");
}

TEST_F(Id3v1Test, ReadsWindows1251BytesOfLegacyTaggersIncludingTheLongComment) {
    const QString file = Path("legacy.mp3");
    Id3v1Fields fields;
    fields.title = QByteArray("\xCA\xE8\xED\xEE   ");                    // "Кино", blank-padded
    fields.artist = QByteArray("\xC3\xF0\xF3\xEF\xEF\xE0 \xAB\xCA\xBB"); // "Группа «К»"
    fields.album = "Gruppa krovi";
    fields.comment = QByteArray(30, '\xE0'); // v1.0: 30 bytes of "а"
    fields.genre = 17;
    WriteMp3(file, {}, Id3v1Bytes(fields));
    const uint32_t h = Lib().ID3v1_Create();
    ASSERT_TRUE(Lib().ID3v1_Load(h, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(Lib().ID3v1_GetTitle(h), std::string("Кино"));
    EXPECT_EQ(Lib().ID3v1_GetArtist(h), std::string("Группа «К»"));
    EXPECT_EQ(Lib().ID3v1_GetAlbum(h), std::string("Gruppa krovi"));
    std::string thirty;
    for (int i = 0; i < 30; ++i)
        thirty += "а";
    EXPECT_EQ(Lib().ID3v1_GetComment(h), thirty);
    EXPECT_EQ(Lib().ID3v1_GetTrack(h), 0);
    EXPECT_EQ(Lib().ID3v1_GetGenre(h), std::string("Rock"));
}

TEST_F(Id3v1Test, CutsFieldsToTheirWidthsAndMarksWhatNoSingleByteSetHolds) {
    const QString file = Path("cut.mp3");
    WriteMp3(file);
    uint32_t h = LoadV1(file);
    Lib().ID3v1_SetTitle(h, "A title much longer than thirty bytes");
    Lib().ID3v1_SetArtist(h, "Песня café"); // Cyrillic and é: no single code page holds both
    Lib().ID3v1_SetYear(h, "1998 remaster");
    Lib().ID3v1_SetComment(h, "0123456789012345678901234567890123");
    Lib().ID3v1_SetTrack(h, 3);
    ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
    Reload();
    h = LoadV1(file);
    EXPECT_EQ(Lib().ID3v1_GetTitle(h), std::string("A title much longer than thirt"));
    EXPECT_EQ(Lib().ID3v1_GetArtist(h), std::string("????? café"));
    EXPECT_EQ(Lib().ID3v1_GetYear(h), std::string("1998"));
    EXPECT_EQ(Lib().ID3v1_GetComment(h), std::string("0123456789012345678901234567"));
    EXPECT_EQ(Lib().ID3v1_GetTrack(h), 3);
}

TEST_F(Id3v1Test, GenreBytesAreStoredAsGivenAndNamedFromKivunasTable) {
    const QString file = Path("genre.mp3");
    WriteMp3(file);
    const struct {
        uint8_t byte;
        const char* name;
    } cases[] = {{0, "Blues"},     {40, "AlternRock"}, {127, "Drum&Bass"}, {144, "Thrash Metal"},
                 {150, "Baroque"}, {191, "Psybient"},  {200, ""},          {255, ""}};
    for (const auto& c : cases) {
        uint32_t h = LoadV1(file);
        Lib().ID3v1_SetTitle(h, "Genre test");
        Lib().ID3v1_SetGenre(h, c.byte);
        ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
        h = LoadV1(file);
        EXPECT_EQ(Lib().ID3v1_GetGenre(h), std::string(c.name)) << int(c.byte);
        EXPECT_EQ(Dump(file)["v1"].toObject()["genre"].toInt(), c.byte);
    }
}

TEST_F(Id3v1Test, TrackZeroGivesTheFullCommentAndTrack255IsKept) {
    const QString file = Path("track.mp3");
    WriteMp3(file);
    uint32_t h = LoadV1(file);
    Lib().ID3v1_SetComment(h, "thirty characters of comment!!");
    Lib().ID3v1_SetTrack(h, 255);
    ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
    QJsonObject v1 = Dump(file)["v1"].toObject();
    EXPECT_EQ(v1["track"].toInt(), 255);
    EXPECT_EQ(v1["comment"].toObject()["latin1"].toString(), "thirty characters of comment");

    h = LoadV1(file);
    EXPECT_EQ(Lib().ID3v1_GetTrack(h), 255);
    Lib().ID3v1_SetTrack(h, 0);
    Lib().ID3v1_SetComment(h, "thirty characters of comment!!");
    ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
    v1 = Dump(file)["v1"].toObject();
    EXPECT_EQ(v1["track"].toInt(), 0);
    EXPECT_EQ(v1["comment"].toObject()["latin1"].toString(), "thirty characters of comment!!");
    h = LoadV1(file);
    EXPECT_EQ(Lib().ID3v1_GetTrack(h), 0);
    EXPECT_EQ(Lib().ID3v1_GetComment(h), std::string("thirty characters of comment!!"));
}

TEST_F(Id3v1Test, ARecordLeftHoldingNothingIsRemoved) {
    const QString file = Path("empty.mp3");
    Id3v1Fields fields;
    fields.title = "Only a title";
    fields.genre = 255;
    WriteMp3(file, {}, Id3v1Bytes(fields));
    const uint32_t h = LoadV1(file);
    Lib().ID3v1_SetTitle(h, "");
    ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(QFileInfo(file).size(), Audio().size());
    EXPECT_TRUE(Dump(file)["v1"].isNull());
    // Saving nothing over no record stays nothing, and succeeds.
    EXPECT_TRUE(Lib().ID3v1_Save(LoadV1(file), Name(file).c_str()) & 0xFF);
    EXPECT_EQ(QFileInfo(file).size(), Audio().size());
}

} // namespace
} // namespace tagtest
