// ID3v1 through the entry points: v1.1 layout, Latin-1 and Windows-1251 texts, genre and track
// bytes, removal of an empty record; checked on disk with an independent parse.
#include <QFileInfo>

#include "LibraryFixture.h"

namespace tagtest {
namespace {

// A text field: its setter, its getter and its key in the dump.
struct TextField {
    decltype(&::ID3v1_SetTitle) TagLibrary::*set;
    decltype(&::ID3v1_GetTitle) TagLibrary::*get;
    const char* key;
};
constexpr TextField kFields[] = {
    {&TagLibrary::ID3v1_SetTitle, &TagLibrary::ID3v1_GetTitle, "title"},
    {&TagLibrary::ID3v1_SetArtist, &TagLibrary::ID3v1_GetArtist, "artist"},
    {&TagLibrary::ID3v1_SetAlbum, &TagLibrary::ID3v1_GetAlbum, "album"},
    {&TagLibrary::ID3v1_SetYear, &TagLibrary::ID3v1_GetYear, "year"},
    {&TagLibrary::ID3v1_SetComment, &TagLibrary::ID3v1_GetComment, "comment"}};

class Id3v1Test : public LibraryTest {
  protected:
    // Sets the five texts on a file without tags, saves, reloads the library; then checks what the
    // entry points read back and what the independent parse decodes with `codec`.
    void RoundTrip(const char* const (&written)[5], const char* const (&read)[5],
                   const char* codec) {
        const QString file = Path("song.mp3");
        WriteMp3(file);
        uint32_t h = LoadV1(file);
        for (int i = 0; i < 5; ++i)
            (Lib().*kFields[i].set)(h, written[i]);
        Lib().ID3v1_SetGenre(h, 29);
        Lib().ID3v1_SetTrack(h, 7);
        ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
        Reload();
        h = Lib().ID3v1_Create();
        ASSERT_TRUE(Lib().ID3v1_Load(h, Name(file).c_str()) & 0xFF);
        const QJsonObject dump = Dump(file);
        const QJsonObject v1 = dump["v1"].toObject();
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ((Lib().*kFields[i].get)(h), std::string(read[i]));
            EXPECT_EQ(v1[kFields[i].key].toObject()[codec].toString(), QString(read[i]));
        }
        EXPECT_EQ(Lib().ID3v1_GetGenre(h), std::string("Jazz+Funk"));
        EXPECT_EQ(Lib().ID3v1_GetTrack(h), 7);
        EXPECT_EQ(v1["genre"].toInt(), 29);
        EXPECT_EQ(v1["track"].toInt(), 7);
        EXPECT_TRUE(dump["v2"].isNull());
        EXPECT_EQ(dump["audio"].toObject()["sha256"].toString(), AudioSha256());
    }
};

TEST_F(Id3v1Test, Latin1TextsRoundTripThroughTheDisk) {
    const char* const texts[] = {"Café del Mar", "Sigur Rós", "Ágætis byrjun", "199x",
                                 "ripped from CD"};
    RoundTrip(texts, texts, "latin1");
}

TEST_F(Id3v1Test, CyrillicTextsAreWrittenAsWindows1251) {
    const char* const texts[] = {"Звезда по имени Солнце", "Кино", "Группа крови", "1988",
                                 "Ёлка и ёж"};
    RoundTrip(texts, texts, "cp1251");
}

TEST_F(Id3v1Test, TextsAreCutToTheirWidthsAndUnfitCharactersMarked) {
    // Cyrillic and é in one text fit no single-byte code page; the comment has 28 bytes beside a
    // track.
    const char* const written[] = {"A title much longer than thirty bytes", "Песня café", "Album",
                                   "1998 remaster", "0123456789012345678901234567890123"};
    const char* const read[] = {"A title much longer than thirt", "????? café", "Album", "1998",
                                "0123456789012345678901234567"};
    RoundTrip(written, read, "latin1");
}

TEST_F(Id3v1Test, ReadsWindows1251BytesOfLegacyTaggersIncludingTheLongComment) {
    const QString file = Path("legacy.mp3");
    Id3v1Fields fields;
    fields.title = QByteArray("\xCA\xE8\xED\xEE   ");                    // "Кино", blank-padded
    fields.artist = QByteArray("\xC3\xF0\xF3\xEF\xEF\xE0 \xAB\xCA\xBB"); // "Группа «К»"
    fields.album = "Gruppa krovi";
    // v1.0: a comment of all 30 bytes.
    fields.comment = QByteArray::fromHex(
        "cbf3f7f8e8e520efe5f1ede820e3f0f3efeffb20cae8edee2c2031393838"); // Windows-1251
    fields.genre = 17;
    WriteMp3(file, {}, Id3v1Bytes(fields));
    const uint32_t h = Lib().ID3v1_Create();
    ASSERT_TRUE(Lib().ID3v1_Load(h, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(Lib().ID3v1_GetTitle(h), std::string("Кино"));
    EXPECT_EQ(Lib().ID3v1_GetArtist(h), std::string("Группа «К»"));
    EXPECT_EQ(Lib().ID3v1_GetAlbum(h), std::string("Gruppa krovi"));
    EXPECT_EQ(QString(Lib().ID3v1_GetComment(h)),
              QString::fromUtf8("Лучшие песни группы Кино, 1988"));
    EXPECT_EQ(Lib().ID3v1_GetTrack(h), 0);
    EXPECT_EQ(Lib().ID3v1_GetGenre(h), std::string("Rock"));
}

TEST_F(Id3v1Test, GenreAndTrackBytesAreStoredAsGiven) {
    const QString file = Path("bytes.mp3");
    WriteMp3(file);
    const struct {
        uint8_t genre;
        const char* name;
        uint8_t track;
    } cases[] = {{0, "Blues", 1},          {40, "AlternRock", 2}, {127, "Drum&Bass", 255},
                 {144, "Thrash Metal", 0}, {150, "Baroque", 9},   {200, "", 0}};
    for (const auto& c : cases) {
        uint32_t h = LoadV1(file);
        Lib().ID3v1_SetTitle(h, "Bytes");
        Lib().ID3v1_SetComment(h, "thirty characters of comment!!");
        Lib().ID3v1_SetGenre(h, c.genre);
        Lib().ID3v1_SetTrack(h, c.track);
        ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
        h = LoadV1(file);
        EXPECT_EQ(Lib().ID3v1_GetGenre(h), std::string(c.name));
        EXPECT_EQ(Lib().ID3v1_GetTrack(h), c.track);
        // Without a track the comment keeps all 30 bytes.
        EXPECT_EQ(std::string(Lib().ID3v1_GetComment(h)).size(), c.track != 0 ? 28u : 30u);
        const QJsonObject v1 = Dump(file)["v1"].toObject();
        EXPECT_EQ(v1["genre"].toInt(), c.genre);
        EXPECT_EQ(v1["track"].toInt(), c.track);
    }
}

TEST_F(Id3v1Test, ARecordLeftHoldingNothingIsRemoved) {
    const QString file = Path("empty.mp3");
    WriteMp3(file, {}, Id3v1Bytes({"Only a title", "", "", "", "", 0, 255}));
    const uint32_t h = LoadV1(file);
    Lib().ID3v1_SetTitle(h, "");
    ASSERT_TRUE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
    EXPECT_EQ(testsupport::ReadFile(file), Audio());
    // Saving nothing over no record stays nothing, and succeeds.
    EXPECT_TRUE(Lib().ID3v1_Save(LoadV1(file), Name(file).c_str()) & 0xFF);
    EXPECT_EQ(testsupport::ReadFile(file), Audio());
}

} // namespace
} // namespace tagtest
