// Runs from a folder that holds no tag library, so "ID3v2Library.dll" cannot be loaded.
#include "OrganizerFixture.h"

#include "platform/Loader.h"

namespace {

TEST_F(OrganizerTest, WithoutTheTagLibraryARunEndsNormallyAndSaysSoOnce) {
    platform::HMODULE library = platform::LoadLibraryA(testsupport::kLibraryName);
    if (library != nullptr)
        platform::FreeLibrary(library);
    ASSERT_EQ(library, nullptr) << "this test must run where no tag library is reachable";
    const QString path = folder.Path(QStringLiteral("song.mp3"));
    testsupport::WriteFile(path, testsupport::SilentAudio());
    testsupport::WriteFile(folder.Path(QStringLiteral("other.mp3")), testsupport::SilentAudio());

    Search(folder.Root());
    Process();

    EXPECT_EQ(List()->columnCount(), 7);
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_EQ(Text("Label8"), "2");
    EXPECT_EQ(Text("Label16"), "0");
    EXPECT_EQ(Text("Label18"), "2");
    EXPECT_EQ(messages.Texts(), QStringList{"Ошибка загрузки библиотеки: ID3v2Library.dll"});
    EXPECT_EQ(testsupport::ReadFile(path), testsupport::SilentAudio());
}

} // namespace
