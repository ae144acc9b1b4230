// The library as a loadable object: it leaves the process when freed, survives any handle number
// and null pointers, does not block on special files, and the variant lacks exactly its name.
#include <dlfcn.h>
#include <future>
#include <sys/stat.h>

#include "LibraryFixture.h"

namespace tagtest {
namespace {

class LibraryLifetimeTest : public LibraryTest {};

TEST_F(LibraryLifetimeTest, LeavesTheProcessAfterTheLastFree) {
    const QString file = Path("song.mp3");
    WriteMp3(file, {}, Id3v1Bytes({"Title", "", "", "", "", 1, 17}));
    const uint32_t v1 = LoadV1(file);
    EXPECT_EQ(Lib().ID3v1_GetGenre(v1), std::string("Rock"));
    Lib().ID3v2_SetAsciiText(LoadV2(file), "TIT2", "x");
    const std::string path = LibraryPath();
    void* loaded = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(loaded, nullptr);
    dlclose(loaded); // drop the reference just taken
    Reload();
    Reload();
    TearDownLibrary();
    EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST_F(LibraryLifetimeTest, UnknownHandlesAndNullPointersAnswerTheFailureValue) {
    const QString file = Path("song.mp3");
    WriteMp3(file);
    for (const uint32_t h : {0u, 12345678u}) {
        EXPECT_FALSE(Lib().ID3v1_Load(h, Name(file).c_str()) & 0xFF);
        EXPECT_EQ(Lib().ID3v1_GetTitle(h), std::string());
        EXPECT_EQ(Lib().ID3v1_GetTrack(h), 0);
        EXPECT_EQ(V2Text(h, "TIT2"), "");
        Lib().ID3v2_SetAsciiText(h, "TIT2", "x");
        EXPECT_FALSE(Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF);
        EXPECT_FALSE(Lib().ID3v1_Save(h, Name(file).c_str()) & 0xFF);
        EXPECT_FALSE(Lib().ID3v1_Remove(h, Name(file).c_str()) & 0xFF);
        EXPECT_FALSE(Lib().ID3v2_Remove(h, Name(file).c_str()) & 0xFF);
    }
    const uint32_t v1 = Lib().ID3v1_Create();
    const uint32_t v2 = Lib().ID3v2_Create();
    EXPECT_NE(v1, 0u);
    EXPECT_NE(v2, 0u);
    EXPECT_NE(v1, v2);
    // A handle of the other kind is unknown too.
    Lib().ID3v2_SetAsciiText(v1, "TIT2", "x");
    EXPECT_FALSE(Lib().ID3v2_Save(v1, Name(file).c_str()) & 0xFF);
    EXPECT_FALSE(Lib().ID3v1_Save(v2, Name(file).c_str()) & 0xFF);

    EXPECT_FALSE(Lib().ID3v1_Load(v1, nullptr) & 0xFF);
    EXPECT_FALSE(Lib().ID3v2_Load(v2, nullptr) & 0xFF);
    Lib().ID3v1_SetTitle(v1, nullptr);
    Lib().ID3v2_SetAsciiText(v2, nullptr, "x");
    Lib().ID3v2_SetAsciiText(v2, "TIT2", nullptr);
    Lib().ID3v2_SetCOMM(v2, nullptr, nullptr);
    Lib().ID3v2_AddAlbumPicture(v2, nullptr, 0);
    EXPECT_EQ(V2Text(v2, "TIT2"), "");
    EXPECT_EQ(Lib().ID3v2_GetAsciiText(v2, nullptr), std::string());
    EXPECT_FALSE(Lib().ID3v1_Save(v1, nullptr) & 0xFF);
    EXPECT_FALSE(Lib().ID3v2_Save(v2, nullptr) & 0xFF);
    EXPECT_FALSE(Lib().ID3v1_Remove(v1, nullptr) & 0xFF);
    EXPECT_FALSE(Lib().ID3v2_Remove(v2, nullptr) & 0xFF);
    EXPECT_EQ(testsupport::ReadFile(file), Audio());
}

TEST_F(LibraryLifetimeTest, DirectoriesAndFifosAreNoTagAndNeverBlock) {
    const QString fifo = Path("pipe.mp3");
    ASSERT_EQ(mkfifo(Name(fifo).c_str(), 0644), 0);
    for (const QString& name : {folder_.Root(), fifo}) {
        auto answer = std::async(std::launch::async, [&] {
            const uint32_t v1 = Lib().ID3v1_Create();
            const uint32_t v2 = Lib().ID3v2_Create();
            Lib().ID3v1_SetTitle(v1, "x");
            Lib().ID3v2_SetAsciiText(v2, "TIT2", "x");
            return (Lib().ID3v1_Load(v1, Name(name).c_str()) & 0xFF) +
                   (Lib().ID3v2_Load(v2, Name(name).c_str()) & 0xFF) +
                   (Lib().ID3v1_Save(v1, Name(name).c_str()) & 0xFF) +
                   (Lib().ID3v2_Save(v2, Name(name).c_str()) & 0xFF) +
                   (Lib().ID3v1_Remove(v1, Name(name).c_str()) & 0xFF) +
                   (Lib().ID3v2_Remove(v2, Name(name).c_str()) & 0xFF);
        });
        ASSERT_EQ(answer.wait_for(std::chrono::seconds(10)), std::future_status::ready)
            << "blocked on " << Name(name);
        EXPECT_EQ(answer.get(), 0);
    }
}

TEST(TagLibraryVariantTest, LacksExactlyItsOneEntryPoint) {
    const std::string path = KIVUNA_TAG_LIBRARY_WITHOUT_GETTRACK_DIR "/ID3v2Library.dll";
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_EQ(dlsym(module, "ID3v1_GetTrack"), nullptr);
    EXPECT_NE(dlsym(module, "ID3v1_GetTitle"), nullptr);
    EXPECT_NE(dlsym(module, "ID3v2_Save"), nullptr);
    dlclose(module);
}

} // namespace
} // namespace tagtest
