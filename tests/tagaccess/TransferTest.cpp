#include "TagAccessFixture.h"

namespace {

using tagaccess::TagFields;

QJsonObject V2(const QJsonObject& frames, const QString& comment = {}) {
    QJsonObject v2{{"frames", frames}};
    if (!comment.isEmpty())
        v2[u"comments"] = QJsonObject{{"", comment}};
    return v2;
}

TEST_F(TagAccessTest, CopyV1ToV2WritesTheTextsUntrimmedAndKeepsTheSource) {
    const QString path = Mp3(
        {{"v1", QJsonObject{{"title", " Spaced "}, {"artist", "A"}, {"genre", 8}, {"track", 4}}}});
    ASSERT_TRUE(id3.CopyV1ToV2(path, true));
    const QJsonObject frames = V2Frames(path);
    EXPECT_EQ(frames[u"TIT2"].toString(), " Spaced");
    EXPECT_EQ(frames[u"TPE1"].toString(), "A");
    EXPECT_EQ(frames[u"TCON"].toString(), "Jazz");
    EXPECT_EQ(frames[u"TRCK"].toString(), "4");
    EXPECT_FALSE(frames.contains(u"TALB")) << "an empty text leaves no frame";
    EXPECT_EQ(V1(path)[u"title"].toString(), " Spaced");
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagAccessTest, CopyV2ToV1ConvertsGenreAndTrackAndFailsOnAFileWithoutId3v2) {
    const QString path =
        Mp3({{"v2", V2({{"TIT2", "Title"}, {"TCON", "Heavy Metal"}, {"TRCK", "3/12"}}, "Note")}});
    ASSERT_TRUE(id3.CopyV2ToV1(path, true));
    const QJsonObject v1 = V1(path);
    EXPECT_EQ(v1[u"title"].toString(), "Title");
    EXPECT_EQ(v1[u"genre"].toInt(), 137);
    EXPECT_EQ(v1[u"track"].toInt(), 3);
    EXPECT_EQ(v1[u"comment"].toString(), "Note");
}

TEST_F(TagAccessTest, ACopyFromATagTheFileLacksWritesNothing) {
    // Copying an absent tag used to wipe every text of the other one and report success.
    const QString v1Only =
        Mp3({{"v1", QJsonObject{{"title", "Keep"}, {"track", 2}}}}, QStringLiteral("v1.mp3"));
    const QString v2Only =
        Mp3({{"v2", V2({{"TIT2", "Keep"}, {"TRCK", "2"}}, "Note")}}, QStringLiteral("v2.mp3"));
    const QByteArray v1Bytes = testsupport::ReadFile(v1Only);
    const QByteArray v2Bytes = testsupport::ReadFile(v2Only);
    EXPECT_FALSE(id3.CopyV2ToV1(v1Only, false));
    EXPECT_FALSE(id3.CopyV1ToV2(v2Only, false));
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_FALSE(id3.CopyV2ToV1(v1Only, true));
    EXPECT_FALSE(id3.CopyV1ToV2(v2Only, true));
    EXPECT_EQ(
        messages.Texts(),
        (QStringList{QStringLiteral("There is no ID3v2 tag to copy in \"%1\".").arg(v1Only),
                     QStringLiteral("There is no ID3v1 tag to copy in \"%1\".").arg(v2Only)}));
    EXPECT_EQ(testsupport::ReadFile(v1Only), v1Bytes);
    EXPECT_EQ(testsupport::ReadFile(v2Only), v2Bytes);
}

TEST_F(TagAccessTest, SyncTagsKeepsRealTrackNumbersAndGenres) {
    // A missing TRCK frame reads as track "0" and a stored "(17)" as "17": neither may cost the
    // other tag its track or genre.
    const QString noTrackFrame = Mp3({{"v1", QJsonObject{{"title", "T"}, {"track", 3}}},
                                      {"v2", V2({{"TIT2", "T"}, {"TCON", "(17)"}})}},
                                     QStringLiteral("a.mp3"));
    const QString noV1Track = Mp3({{"v1", QJsonObject{{"title", "T"}, {"genre", 255}}},
                                   {"v2", V2({{"TRCK", "5"}, {"TCON", "Drum & Bass"}})}},
                                  QStringLiteral("b.mp3"));
    const QString noTrackAnywhere = Mp3(
        {{"v1", QJsonObject{{"title", "T"}}}, {"v2", V2({{"TIT2", "T"}, {"TCON", "Polsk Punk"}})}},
        QStringLiteral("c.mp3"));
    ASSERT_TRUE(id3.SyncTags(noTrackFrame, 2, true));
    ASSERT_TRUE(id3.SyncTags(noV1Track, 1, true));
    ASSERT_TRUE(id3.SyncTags(noTrackAnywhere, 2, true));
    EXPECT_EQ(V1(noTrackFrame)[u"track"].toInt(), 3);
    EXPECT_EQ(V2Frames(noTrackFrame)[u"TRCK"].toString(), "3");
    EXPECT_EQ(V1(noTrackFrame)[u"genre"].toInt(), 17);
    EXPECT_EQ(V1(noV1Track)[u"track"].toInt(), 5);
    EXPECT_EQ(V2Frames(noV1Track)[u"TRCK"].toString(), "5");
    EXPECT_EQ(V1(noV1Track)[u"genre"].toInt(), 127);
    EXPECT_EQ(V2Frames(noV1Track)[u"TCON"].toString(), "Drum & Bass");
    EXPECT_FALSE(V2Frames(noTrackAnywhere).contains(u"TRCK")) << "no TRCK frame \"0\" is made";
    EXPECT_EQ(V1(noTrackAnywhere)[u"track"].toInt(), 0);
    EXPECT_EQ(V1(noTrackAnywhere)[u"genre"].toInt(), 134);
    EXPECT_TRUE(messages.Texts().isEmpty());
}

// Every genre byte the library has a name for comes back as that byte after a sync.
TEST_F(TagAccessTest, EveryNamedGenreByteSurvivesASync) {
    const QString path = Mp3({{"v1", QJsonObject{{"title", "T"}}}});
    QByteArray bytes = testsupport::ReadFile(path);
    for (int genre = 0; genre <= 191; ++genre) {
        bytes[bytes.size() - 1] = char(genre);
        testsupport::WriteFile(path, bytes);
        ASSERT_TRUE(id3.SyncTags(path, 1, true));
        EXPECT_EQ(uint8_t(testsupport::ReadFile(path).back()), genre)
            << id3.ReadId3v1(path, true)[tagaccess::kGenre].toStdString();
    }
}

TEST_F(TagAccessTest, SyncTagsMergesFieldByFieldIntoBothTags) {
    const QString path =
        Mp3({{"v1", QJsonObject{{"title", "  Word  "},
                                {"artist", "One"},
                                {"year", "1990"},
                                {"genre", 17},
                                {"track", 5}}},
             {"v2", V2({{"TPE1", "Two"}, {"TALB", "Album"}, {"TCON", "Synthwave"}}, "Note")}});
    ASSERT_TRUE(id3.SyncTags(path, 2, true));
    const QJsonObject v1 = V1(path);
    const QJsonObject frames = V2Frames(path);
    EXPECT_EQ(v1[u"title"].toString(), "Word");
    EXPECT_EQ(frames[u"TIT2"].toString(), "Word");
    EXPECT_EQ(v1[u"artist"].toString(), "Two");
    EXPECT_EQ(frames[u"TPE1"].toString(), "Two");
    EXPECT_EQ(v1[u"album"].toString(), "Album");
    EXPECT_EQ(frames[u"TYER"].toString(), "1990");
    EXPECT_EQ(frames[u"TCON"].toString(), "Synthwave");
    EXPECT_EQ(v1[u"genre"].toInt(), 255) << "a genre outside the table is no ID3v1 genre";
    EXPECT_EQ(frames[u"TRCK"].toString(), "5") << "track \"0\" of a tag without one never wins";
    EXPECT_EQ(v1[u"track"].toInt(), 5);
    EXPECT_EQ(v1[u"comment"].toString(), "Note");
    EXPECT_EQ(frames[u"COMM::eng"].toString(), "Note");
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagAccessTest, SyncTagsLetsId3v1WinForEveryPreferenceButTwo) {
    for (const int8_t preference : {int8_t(1), int8_t(0), int8_t(-1)}) {
        const QString path = Mp3({{"v1", QJsonObject{{"title", "Old"}, {"track", 2}}},
                                  {"v2", V2({{"TIT2", "New"}, {"TRCK", "300"}})}},
                                 QStringLiteral("p%1.mp3").arg(preference));
        ASSERT_TRUE(id3.SyncTags(path, preference, true));
        EXPECT_EQ(V1(path)[u"title"].toString(), "Old");
        EXPECT_EQ(V2Frames(path)[u"TIT2"].toString(), "Old");
        EXPECT_EQ(V2Frames(path)[u"TRCK"].toString(), "2");
    }
    const QString path = Mp3({{"v1", QJsonObject{{"title", "Old"}, {"track", 2}}},
                              {"v2", V2({{"TIT2", "New"}, {"TRCK", "300"}})}});
    ASSERT_TRUE(id3.SyncTags(path, 2, true));
    EXPECT_EQ(V1(path)[u"title"].toString(), "New");
    EXPECT_EQ(V1(path)[u"track"].toInt(), 0) << "track 300 is no ID3v1 track";
    EXPECT_EQ(V2Frames(path)[u"TRCK"].toString(), "300");
}

TEST_F(TagAccessTest, SyncTagsGivesAFileTheTagItLacks) {
    const QString v1Only =
        Mp3({{"v1", QJsonObject{{"title", " Solo "}, {"genre", 0}, {"track", 9}}}},
            QStringLiteral("v1.mp3"));
    ASSERT_TRUE(id3.SyncTags(v1Only, 2, true));
    const QJsonObject frames = V2Frames(v1Only);
    EXPECT_EQ(frames[u"TIT2"].toString(), "Solo");
    EXPECT_EQ(frames[u"TCON"].toString(), "Blues");
    EXPECT_EQ(frames[u"TRCK"].toString(), "9");

    const QString v2Only = Mp3({{"v2", V2({{"TIT2", "Duo"}, {"TCON", "Rock"}, {"TRCK", "07/12"}})}},
                               QStringLiteral("v2.mp3"));
    ASSERT_TRUE(id3.SyncTags(v2Only, 2, true));
    const QJsonObject v1 = V1(v2Only);
    EXPECT_EQ(v1[u"title"].toString(), "Duo");
    EXPECT_EQ(v1[u"genre"].toInt(), 17);
    EXPECT_EQ(v1[u"track"].toInt(), 7);
    EXPECT_EQ(V2Frames(v2Only)[u"TRCK"].toString(), "07/12")
        << "the same track number keeps its text";

    // Neither tag: the merged track is empty, so nothing is saved.
    const QString bare = Mp3({}, QStringLiteral("bare.mp3"));
    EXPECT_FALSE(id3.SyncTags(bare, 2, false));
    EXPECT_EQ(tagfiles::ReadTags(bare),
              (QJsonObject{{"v1", QJsonValue::Null}, {"v2", QJsonValue::Null}}));
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagAccessTest, BlankOnlyFieldsCountAsEmpty) {
    const QString path =
        Mp3({{"v1", QJsonObject{{"title", "   "}, {"artist", "Someone"}, {"track", 1}}},
             {"v2", V2({{"TIT2", " \t "}})}});
    ASSERT_TRUE(id3.SyncTags(path, 2, true));
    EXPECT_EQ(V1(path)[u"title"].toString(), "");
    EXPECT_FALSE(V2Frames(path).contains(u"TIT2"));
    EXPECT_EQ(V2Frames(path)[u"TPE1"].toString(), "Someone");
}

TEST_F(TagAccessTest, LoadedOperationsUseTheCallersLibraryAndLeaveItLoaded) {
    using namespace tagaccess;
    const QString path = Mp3({{"v1", QJsonObject{{"title", "One"}, {"track", 4}}}});
    const QByteArray file = path.toUtf8();
    {
        TDll library(kTagLibraryName);
        const TagHandle v1 = CreateEntry(library, "ID3v1_Create")();
        const TagHandle v2 = CreateEntry(library, "ID3v2_Create")();
        TextCallEntry(library, "ID3v1_Load")(v1, file.constData());
        TextCallEntry(library, "ID3v2_Load")(v2, file.constData());

        EXPECT_EQ(id3.ReadId3v1Loaded(library, v1), (TagFields{"One", "", "", "", "", "4", ""}));
        EXPECT_EQ(id3.ReadId3v2Loaded(library, v2), TagFields(7));
        EXPECT_EQ(messages.Texts(), QStringList{"Tag NOT LOADED!"});
        ASSERT_TRUE(id3.CopyV1ToV2Loaded(path, library, v1, v2));
        EXPECT_TRUE(tagfiles::TagLibraryIsLoaded());
        EXPECT_EQ(V2Frames(path)[u"TIT2"].toString(), "One");
        // The handle still says "not loaded", so the sync's nested read shows that once more
        // and merges with empty ID3v2 texts.
        ASSERT_TRUE(id3.SyncTagsLoaded(path, library, v1, v2, 2));
        EXPECT_EQ(messages.Texts().size(), 2);
        ASSERT_TRUE(id3.WriteId3v1Loaded(path, {"Two", "", "", "", "", "x", ""}, library, v1) ==
                    false);
        EXPECT_EQ(messages.Texts().last(), "'x' is not a valid integer value");
        EXPECT_TRUE(tagfiles::TagLibraryIsLoaded());
    }
    EXPECT_EQ(V1(path)[u"title"].toString(), "One");
}

} // namespace
