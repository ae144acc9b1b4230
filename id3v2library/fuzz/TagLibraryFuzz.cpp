// Feeds any bytes to the entry points as an MP3: load both tags, read every field, set every
// field, save, read again. Besides crashes and sanitizer reports it stops on broken promises: a
// save that answered success must read back, and saving one tag must not touch the other.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "ID3v2Library.h"

namespace {

struct Workspace {
    Workspace() {
        // TMPDIR=/dev/shm keeps the saves' fsync from setting the pace.
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/kivuna-fuzz-XXXXXX";
        folder = mkdtemp(pattern.data());
        mp3 = folder + "/input.mp3";
        picture = folder + "/cover.png";
        std::ofstream(picture, std::ios::binary) << "\x89PNG\r\n\x1A\n" << std::string(64, 'p');
        // Handles are never released, so a few are reused; Load starts them afresh.
        v1 = ID3v1_Create();
        v2 = ID3v2_Create();
        check1 = ID3v1_Create();
        check2 = ID3v2_Create();
    }
    std::string folder, mp3, picture;
    uint32_t v1, v2, check1, check2;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The last bytes of the file, up to the size of an ID3v1 record: an ID3v2 save never moves them.
std::string Tail(const std::string& bytes) {
    return bytes.substr(bytes.size() - std::min<size_t>(bytes.size(), 128));
}

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

void ReadEverything(uint32_t v1, uint32_t v2) {
    for (auto get : {ID3v1_GetTitle, ID3v1_GetArtist, ID3v1_GetAlbum, ID3v1_GetYear, ID3v1_GetGenre,
                     ID3v1_GetComment})
        Require(get(v1) != nullptr, "v1 getter answered null");
    ID3v1_GetTrack(v1);
    for (const char* id : {"TIT2", "TPE1", "TALB", "TYER", "TCON", "TRCK", "TXXX", "", "T"})
        Require(ID3v2_GetAsciiText(v2, id) != nullptr, "v2 getter answered null");
    Require(ID3v2_GetCOMM(v2) != nullptr, "COMM getter answered null");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Workspace work;
    std::ofstream(work.mp3, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const char* mp3 = work.mp3.c_str();

    ID3v1_Load(work.v1, mp3);
    ID3v2_Load(work.v2, mp3);
    ID3v2_Loaded(work.v2);
    ReadEverything(work.v1, work.v2);

    // The texts come from the input too, so odd UTF-8 reaches the encoders.
    const std::string text(reinterpret_cast<const char*>(data), size < 40 ? size : 40);
    const std::string title = text.substr(0, text.find('\0')) + "Заголовок";
    ID3v1_SetTitle(work.v1, title.c_str());
    ID3v1_SetComment(work.v1, "fuzz comment");
    ID3v1_SetGenre(work.v1, size > 0 ? data[0] : 0);
    ID3v1_SetTrack(work.v1, size > 1 ? data[1] : 0);
    ID3v2_SetAsciiText(work.v2, "TIT2", title.c_str());
    ID3v2_SetAsciiText(work.v2, "TYER", "98");
    ID3v2_SetAsciiText(work.v2, "TRCK", "3");
    ID3v2_SetCOMM(work.v2, "fuzz comment", "");
    ID3v2_AddAlbumPicture(work.v2, work.picture.c_str(), 0);

    const std::string beforeV2Save = ReadAll(work.mp3);
    const bool savedV2 = ID3v2_Save(work.v2, mp3) & 0xFF;
    const std::string afterV2Save = ReadAll(work.mp3);
    if (!savedV2)
        Require(afterV2Save == beforeV2Save, "failed ID3v2 save changed the file");
    else
        Require(afterV2Save.ends_with(Tail(beforeV2Save)), "ID3v2 save touched the end");

    const bool savedV1 = ID3v1_Save(work.v1, mp3) & 0xFF;
    if (!savedV1)
        Require(ReadAll(work.mp3) == afterV2Save, "failed ID3v1 save changed the file");

    ID3v1_Load(work.check1, mp3);
    ID3v2_Load(work.check2, mp3);
    ReadEverything(work.check1, work.check2);
    if (savedV2)
        Require(std::string(ID3v2_GetAsciiText(work.check2, "TYER")) == "98",
                "saved year does not read back");
    if (savedV1)
        Require(std::string(ID3v1_GetComment(work.check1)) == "fuzz comment",
                "saved comment does not read back");
    return 0;
}
