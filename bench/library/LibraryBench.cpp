// Prints how long the tag library takes: a load + resolve-all + unload cycle next to the same
// cycle of an empty shared object, and each operation on a typical file.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "BenchFile.h"
#include "ID3v2Library.h"
#include "platform/Loader.h"

namespace {

#define KIVUNA_ENTRY_NAME(name) #name,
constexpr const char* kEntryPoints[] = {KIVUNA_TAG_ENTRY_POINTS(KIVUNA_ENTRY_NAME)};
#undef KIVUNA_ENTRY_NAME
constexpr int kEntryPointCount = static_cast<int>(std::size(kEntryPoints));

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Median duration of `runs` calls, in microseconds.
double MedianMicroseconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return Median(std::move(times));
}

// One load, resolve of every name and unload; answers how many names resolved.
int LoadCycle(const char* path) {
    platform::HMODULE module = platform::LoadLibraryA(path);
    int found = 0;
    for (const char* name : kEntryPoints)
        found += platform::GetProcAddress(module, name) != nullptr;
    platform::FreeLibrary(module);
    return found;
}

struct Api {
    explicit Api(platform::HMODULE module) : module_(module) {}
    template <typename T> T Get(const char* name) const {
        return reinterpret_cast<T>(platform::GetProcAddress(module_, name));
    }
    platform::HMODULE module_;
};

} // namespace

int main() {
    const std::string library = std::string(KIVUNA_BIN_DIR) + "/ID3v2Library.dll";
    constexpr int kCycles = 3000;
    std::printf("load + resolve(%d) + unload, median of %d cycles:\n", kEntryPointCount, kCycles);
    if (LoadCycle(library.c_str()) != kEntryPointCount) {
        std::printf("  ID3v2Library.dll: not loadable at %s\n", library.c_str());
        return 1;
    }
    // Alternating cycles, so both objects see the same machine load.
    std::vector<double> empty;
    std::vector<double> tag;
    for (int i = 0; i < kCycles; ++i) {
        empty.push_back(MedianMicroseconds(1, [] { LoadCycle(KIVUNA_EMPTY_LIBRARY); }));
        tag.push_back(MedianMicroseconds(1, [&] { LoadCycle(library.c_str()); }));
    }
    const double emptyMedian = Median(empty);
    const double tagMedian = Median(tag);
    std::printf("  empty shared object: %8.1f us\n", emptyMedian);
    std::printf("  ID3v2Library.dll:    %8.1f us  (%.2fx)\n", tagMedian, tagMedian / emptyMedian);

    char folder[] = "/tmp/kivuna-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return 1;
    const std::string v23 = std::string(folder) + "/typical23.mp3";
    const std::string v24 = std::string(folder) + "/typical24.mp3";
    bench::WriteTypicalMp3(v23, false);
    bench::WriteTypicalMp3(v24, true);

    platform::HMODULE module = platform::LoadLibraryA(library.c_str());
    const Api api(module);
    const auto v1Create = api.Get<ID3v1_Create_t>("ID3v1_Create");
    const auto v2Create = api.Get<ID3v2_Create_t>("ID3v2_Create");
    const auto v1Load = api.Get<ID3v1_Load_t>("ID3v1_Load");
    const auto v2Load = api.Get<ID3v2_Load_t>("ID3v2_Load");
    const auto v2Loaded = api.Get<ID3v2_Loaded_t>("ID3v2_Loaded");
    const auto v2Get = api.Get<ID3v2_GetAsciiText_t>("ID3v2_GetAsciiText");
    const auto v2GetComm = api.Get<ID3v2_GetCOMM_t>("ID3v2_GetCOMM");
    const auto v1SetTitle = api.Get<ID3v1_SetText_t>("ID3v1_SetTitle");
    const auto v2Set = api.Get<ID3v2_SetAsciiText_t>("ID3v2_SetAsciiText");
    const auto v1Save = api.Get<ID3_Save_t>("ID3v1_Save");
    const auto v2Save = api.Get<ID3_Save_t>("ID3v2_Save");
    const ID3v1_GetText_t v1Getters[] = {
        api.Get<ID3v1_GetText_t>("ID3v1_GetTitle"), api.Get<ID3v1_GetText_t>("ID3v1_GetArtist"),
        api.Get<ID3v1_GetText_t>("ID3v1_GetAlbum"), api.Get<ID3v1_GetText_t>("ID3v1_GetYear"),
        api.Get<ID3v1_GetText_t>("ID3v1_GetGenre"), api.Get<ID3v1_GetText_t>("ID3v1_GetComment")};
    const auto v1GetTrack = api.Get<ID3v1_GetTrack_t>("ID3v1_GetTrack");

    constexpr int kRuns = 300;
    std::printf("operations on a typical file (4 MiB, both tags, 30 KiB cover), median of %d:\n",
                kRuns);
    std::printf("  ID3v1 Load + 7 getters:            %8.1f us\n", MedianMicroseconds(kRuns, [&] {
                    const uint32_t h = v1Create();
                    v1Load(h, v23.c_str());
                    for (const auto get : v1Getters)
                        get(h);
                    v1GetTrack(h);
                }));
    for (const auto& [label, file] : {std::pair{"v2.3", &v23}, std::pair{"v2.4", &v24}}) {
        std::printf("  ID3v2 (%s) Load + Loaded + 7 getters: %8.1f us\n", label,
                    MedianMicroseconds(kRuns, [&] {
                        const uint32_t h = v2Create();
                        v2Load(h, file->c_str());
                        v2Loaded(h);
                        for (const char* id : {"TIT2", "TPE1", "TALB", "TYER", "TCON", "TRCK"})
                            v2Get(h, id);
                        v2GetComm(h);
                    }));
    }
    int flip = 0;
    std::printf("  ID3v1 Load + Set + Save, changed:   %8.1f us\n", MedianMicroseconds(kRuns, [&] {
                    const uint32_t h = v1Create();
                    v1Load(h, v23.c_str());
                    v1SetTitle(h, (flip++ & 1) ? "Title one" : "Title two");
                    v1Save(h, v23.c_str());
                }));
    std::printf("  ID3v1 Load + Set + Save, unchanged: %8.1f us\n", MedianMicroseconds(kRuns, [&] {
                    const uint32_t h = v1Create();
                    v1Load(h, v23.c_str());
                    v1SetTitle(h, "Title two");
                    v1Save(h, v23.c_str());
                }));
    for (const auto& [label, file] : {std::pair{"v2.3", &v23}, std::pair{"v2.4", &v24}}) {
        std::printf("  ID3v2 (%s) Load + Set + Save, changed (fits the padding): %8.1f us\n", label,
                    MedianMicroseconds(kRuns, [&] {
                        const uint32_t h = v2Create();
                        v2Load(h, file->c_str());
                        v2Set(h, "TIT2", (flip++ & 1) ? "Title one" : "Title two");
                        v2Save(h, file->c_str());
                    }));
        std::printf("  ID3v2 (%s) Load + Set + Save, unchanged: %8.1f us\n", label,
                    MedianMicroseconds(kRuns, [&] {
                        const uint32_t h = v2Create();
                        v2Load(h, file->c_str());
                        v2Set(h, "TIT2", "Title two");
                        v2Save(h, file->c_str());
                    }));
        std::printf("  ID3v2 (%s) Load + Set + Save, tag size changes (file rewritten): %8.1f us\n",
                    label, MedianMicroseconds(20, [&] {
                        const uint32_t h = v2Create();
                        v2Load(h, file->c_str());
                        // 120 KB of text added, then removed: both cross the padding.
                        v2Set(h, "TIT3", std::string((flip++ & 1) * 120000, 's').c_str());
                        v2Save(h, file->c_str());
                    }));
    }
    // A second name keeps the file from being replaced: it is rewritten in place, through a
    // journal.
    const std::string second = std::string(folder) + "/second name.mp3";
    link(v23.c_str(), second.c_str());
    std::printf("  ID3v2 (v2.3) tag size changes, file with two names (in place): %8.1f us\n",
                MedianMicroseconds(20, [&] {
                    const uint32_t h = v2Create();
                    v2Load(h, v23.c_str());
                    v2Set(h, "TIT3", std::string((flip++ & 1) * 120000, 's').c_str());
                    v2Save(h, v23.c_str());
                }));
    unlink(second.c_str());

    // Ten minutes of frames of 128 and 320 kbit/s without a Xing header: the facts come from
    // counting every frame's header.
    const std::string counted = std::string(folder) + "/vbr-without-header.mp3";
    if (FILE* out = std::fopen(counted.c_str(), "wb")) {
        for (int i = 0; i < 600 * 44100 / 1152; ++i) {
            const bool high = i % 3 == 1;
            std::vector<unsigned char> frame(high ? 1044 : 417, 0);
            const unsigned char header[] = {0xFF, 0xFB,
                                            static_cast<unsigned char>(high ? 0xE0 : 0x90), 0x64};
            std::copy(std::begin(header), std::end(header), frame.begin());
            std::fwrite(frame.data(), 1, frame.size(), out);
        }
        std::fclose(out);
    }
    const auto loadInfo = api.Get<ID3v2_GetFileInfo_t>("ID3v2_LoadFileInfo");
    std::printf("  LoadFileInfo, 10-minute VBR file without a header (frames counted): %8.1f us\n",
                MedianMicroseconds(30, [&] { loadInfo(v2Create(), counted.c_str()); }));
    unlink(counted.c_str());
    platform::FreeLibrary(module);
    unlink(v23.c_str());
    unlink(v24.c_str());
    rmdir(folder);
    return 0;
}
