// Runs from a folder that holds no tag library, so "ID3v2Library.dll" cannot be loaded.
#include "TestSupport.h"
#include "platform/Loader.h"
#include "tagaccess/ID3.h"

#include <gtest/gtest.h>

namespace {

using tagaccess::TagFields;

const QString kLoadFailure = QStringLiteral("Ошибка загрузки библиотеки: ID3v2Library.dll");

class NoLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::HMODULE library = platform::LoadLibraryA(testsupport::kLibraryName);
        if (library != nullptr)
            platform::FreeLibrary(library);
        ASSERT_EQ(library, nullptr) << "this test must run where no tag library is reachable";
        path = folder.Path(QStringLiteral("song.mp3"));
        testsupport::WriteFile(path, testsupport::SilentAudio());
    }

    testsupport::TempFolder folder;
    testsupport::MessageCapture messages;
    tagaccess::ID3 id3;
    QString path;
};

TEST_F(NoLibrary, ReadsGiveEmptyTextsAndShowTheFailureOnlyWhenAsked) {
    EXPECT_EQ(id3.ReadId3v1(path, true), TagFields(7));
    EXPECT_EQ(messages.Texts(), QStringList{kLoadFailure});
    EXPECT_EQ(id3.ReadId3v2(path, false), TagFields(7));
    EXPECT_EQ(id3.ReadId3v1(path, false), TagFields(7));
    EXPECT_EQ(messages.Texts().size(), 1);
}

TEST_F(NoLibrary, WritesAndTransfersAnswerFalseWithOneMessageAtMost) {
    const TagFields fields = {"T", "", "", "", "", "1", "", ""};
    EXPECT_FALSE(id3.WriteId3v1(path, fields, false));
    EXPECT_FALSE(id3.WriteId3v2(path, fields, false));
    EXPECT_FALSE(id3.CopyV1ToV2(path, false));
    EXPECT_FALSE(id3.CopyV2ToV1(path, false));
    EXPECT_FALSE(id3.SyncTags(path, 2, false));
    EXPECT_TRUE(messages.Texts().isEmpty()) << "the organizer must not see boxes per file";

    // The first failed read ends a transfer: one box, not one per step.
    EXPECT_FALSE(id3.SyncTags(path, 2, true));
    EXPECT_EQ(messages.Texts(), QStringList{kLoadFailure});
    EXPECT_FALSE(id3.CopyV1ToV2(path, true));
    EXPECT_EQ(messages.Texts().size(), 2);
    EXPECT_EQ(testsupport::ReadFile(path), testsupport::SilentAudio());
}

} // namespace
