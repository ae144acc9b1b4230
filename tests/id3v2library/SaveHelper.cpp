// A second process that saves through the tag library, for the tests of what saves do to each
// other and to a file when killed or run by another user. Usage:
//   kivuna_save_helper once FILE FRAME LENGTH   one ID3v2 save of LENGTH 'x's; exit 0 when it
//                                              answered success
//   kivuna_save_helper cycle FILE               saves whose tag size changes each time, until
//   killed kivuna_save_helper field FILE FRAME COUNT   COUNT saves of the frame, each first
//   checking that
//                                              the previous value is still there; exit code: how
//                                              many were not (or 100 when a save failed)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "TagLibrary.h"

namespace {

bool SaveText(tagtest::TagLibrary& lib, const char* file, const char* frame,
              const std::string& text) {
    const uint32_t h = lib.ID3v2_Create();
    lib.ID3v2_Load(h, file);
    lib.ID3v2_SetAsciiText(h, frame, text.c_str());
    return (lib.ID3v2_Save(h, file) & 0xFF) != 0;
}

std::string Loaded(tagtest::TagLibrary& lib, const char* file, const char* frame) {
    const uint32_t h = lib.ID3v2_Create();
    lib.ID3v2_Load(h, file);
    return lib.ID3v2_GetAsciiText(h, frame);
}

// Every other value is long enough to outgrow any padding, so each save moves the audio.
std::string Value(const char* frame, int i) {
    return std::string(frame) + "-" + std::to_string(i) + std::string(i % 2 ? 3000 : 0, '.');
}

} // namespace

int main(int argc, char** argv) {
    tagtest::TagLibrary lib;
    if (!lib.Complete() || argc < 3)
        return 2;
    const std::string mode = argv[1];
    const char* file = argv[2];
    if (mode == "once" && argc == 5)
        return SaveText(lib, file, argv[3], std::string(std::atoi(argv[4]), 'x')) ? 0 : 1;
    if (mode == "cycle") {
        for (int i = 0;; ++i)
            SaveText(lib, file, "TIT3", std::string(i % 2 ? 120000 : 10, 's'));
    }
    if (mode == "field" && argc == 5) {
        int lost = 0;
        for (int i = 1; i <= std::atoi(argv[4]); ++i) {
            if (i > 1 && Loaded(lib, file, argv[3]) != Value(argv[3], i - 1))
                ++lost;
            if (!SaveText(lib, file, argv[3], Value(argv[3], i)))
                return 100;
        }
        return lost;
    }
    return 2;
}
