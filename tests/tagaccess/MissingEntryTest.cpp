// Runs beside a build of the tag library that lacks "ID3v1_GetTrack".
#include "TagFiles.h"
#include "TestSupport.h"
#include "tagaccess/ID3.h"

#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

using tagaccess::TagFields;

const QString kMissingEntry = QStringLiteral("Ошибка получения адреса функции: ID3v1_GetTrack");

class MissingEntry : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_FALSE(tagfiles::TagLibraryIsLoaded()); }

    testsupport::TempFolder folder;
    testsupport::MessageCapture messages;
    tagaccess::ID3 id3;
};

TEST_F(MissingEntry, Id3v1ReadStopsAtTheMissingEntryPoint) {
    const QString path = tagfiles::MakeMp3(folder, QStringLiteral("song.mp3"),
                                           {{"v1", QJsonObject{{"title", "T"},
                                                               {"artist", "A"},
                                                               {"album", "B"},
                                                               {"year", "1999"},
                                                               {"genre", 13},
                                                               {"track", 3},
                                                               {"comment", "C"}}}});
    EXPECT_EQ(id3.ReadId3v1(path, true), (TagFields{"T", "A", "B", "1999", "Pop", "", ""}));
    EXPECT_EQ(messages.Texts(), QStringList{kMissingEntry});
    // The ID3v2 read does not need the entry point.
    EXPECT_EQ(id3.ReadId3v2(path, true), TagFields(7));
    EXPECT_EQ(messages.Texts().size(), 1);
}

TEST_F(MissingEntry, ASyncWhoseReadFailedWritesNothing) {
    const QString path = tagfiles::MakeMp3(
        folder, QStringLiteral("song.mp3"),
        {{"v1", QJsonObject{{"title", "T"}, {"track", 3}, {"comment", "Only in ID3v1"}}},
         {"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "T"}}},
                            {"comments", QJsonObject{{"", "Only in ID3v2"}}}}}});
    const QByteArray before = testsupport::ReadFile(path);
    EXPECT_FALSE(id3.SyncTags(path, 2, false));
    EXPECT_FALSE(id3.CopyV1ToV2(path, true));
    EXPECT_EQ(messages.Texts(), QStringList{kMissingEntry});
    EXPECT_EQ(testsupport::ReadFile(path), before);
}

} // namespace
