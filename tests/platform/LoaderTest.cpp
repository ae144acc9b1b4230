#include "platform/Loader.h"

#include <QCoreApplication>
#include <QDir>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

constexpr char kProbe[] = "KivunaLoaderProbe.dll";

std::string ProbePath() {
    // The probe is built beside the test program and nowhere on the system's search path.
    char exe[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string path(exe, n > 0 ? size_t(n) : 0);
    return path.substr(0, path.rfind('/') + 1) + kProbe;
}

bool IsLoaded(const std::string& path) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (h != nullptr)
        dlclose(h);
    return h != nullptr;
}

TEST(Loader, BareNameIsFoundBesideTheExecutableAndLeavesWithTheLastFree) {
    ASSERT_FALSE(IsLoaded(ProbePath()));
    platform::HMODULE first = platform::LoadLibraryA(kProbe);
    ASSERT_NE(first, nullptr);
    platform::HMODULE second = platform::LoadLibraryA(kProbe);
    ASSERT_EQ(first, second);

    using Answer = int (*)();
    auto answer = reinterpret_cast<Answer>(platform::GetProcAddress(first, "LoaderProbeAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(platform::GetProcAddress(first, "NoSuchEntry"), nullptr);

    EXPECT_TRUE(platform::FreeLibrary(second));
    EXPECT_TRUE(IsLoaded(ProbePath())) << "one reference is still held";
    EXPECT_TRUE(platform::FreeLibrary(first));
    EXPECT_FALSE(IsLoaded(ProbePath()));
}

TEST(Loader, MissingLibrariesAndNullArgumentsGiveNull) {
    EXPECT_EQ(platform::LoadLibraryA("NoSuchLibrary.dll"), nullptr);
    EXPECT_EQ(platform::LoadLibraryA(""), nullptr);
    EXPECT_EQ(platform::LoadLibraryA(nullptr), nullptr);
    EXPECT_EQ(platform::GetProcAddress(nullptr, "LoaderProbeAnswer"), nullptr);
    EXPECT_FALSE(platform::FreeLibrary(nullptr));
}

TEST(Loader, SystemSearchIsUsedWhenTheExecutableFolderLacksTheLibrary) {
    platform::HMODULE libm = platform::LoadLibraryA("libm.so.6");
    ASSERT_NE(libm, nullptr);
    EXPECT_NE(platform::GetProcAddress(libm, "cos"), nullptr);
    EXPECT_TRUE(platform::FreeLibrary(libm));
}

TEST(Loader, PathWithFolderIsLoadedAsGiven) {
    platform::HMODULE probe = platform::LoadLibraryA(ProbePath().c_str());
    ASSERT_NE(probe, nullptr);
    EXPECT_TRUE(platform::FreeLibrary(probe));
    EXPECT_FALSE(IsLoaded(ProbePath()));
}

} // namespace
