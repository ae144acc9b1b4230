#include "BenchFile.h"

#include <cstdint>
#include <fstream>

namespace bench {
namespace {

std::string Size(uint32_t value, bool synchsafe) {
    std::string bytes(4, '\0');
    for (int i = 3; i >= 0; --i) {
        bytes[i] = static_cast<char>(synchsafe ? (value & 0x7F) : (value & 0xFF));
        value >>= synchsafe ? 7 : 8;
    }
    return bytes;
}

std::string Frame(bool v24, const std::string& id, const std::string& payload) {
    return id + Size(static_cast<uint32_t>(payload.size()), v24) + std::string(2, '\0') + payload;
}

std::string Text(const std::string& text) {
    return std::string(1, '\0') + text;
}

} // namespace

void WriteTypicalMp3(const std::string& path, bool v24) {
    std::string frames =
        Frame(v24, "TIT2", Text("A Typical Song Title")) +
        Frame(v24, "TPE1", Text("The Typical Band")) + Frame(v24, "TALB", Text("Typical Album")) +
        Frame(v24, v24 ? "TDRC" : "TYER", Text("1999")) + Frame(v24, "TCON", Text("Rock")) +
        Frame(v24, "TRCK", Text("3/12")) +
        Frame(v24, "COMM", std::string("\0eng\0", 5) + "ripped from CD") +
        Frame(v24, "APIC", std::string("\0image/jpeg\0\x03\0", 14) + std::string(30000, 'j'));
    frames += std::string(2048, '\0');
    std::string tag = "ID3" + std::string(1, v24 ? 4 : 3) + std::string(2, '\0') +
                      Size(static_cast<uint32_t>(frames.size()), true) + frames;
    std::string audio;
    for (int i = 0; i < 10000; ++i) {
        std::string frame(417, '\0');
        frame[0] = static_cast<char>(0xFF);
        frame[1] = static_cast<char>(0xFB);
        frame[2] = static_cast<char>(0x90);
        frame[3] = static_cast<char>(0x64);
        frame[416] = static_cast<char>(i);
        audio += frame;
    }
    std::string v1(128, '\0');
    v1.replace(0, 3, "TAG");
    v1.replace(3, 20, "A Typical Song Title");
    v1[126] = 3;
    v1[127] = 17;
    std::ofstream(path, std::ios::binary) << tag << audio << v1;
}

} // namespace bench
