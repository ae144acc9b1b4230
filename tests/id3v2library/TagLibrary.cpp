#include "TagLibrary.h"

#include <climits>
#include <unistd.h>

#include "TestSupport.h"

namespace tagtest {

template <typename Pointer> void TagLibrary::Resolve(Pointer& pointer, const char* name) {
    pointer = reinterpret_cast<Pointer>(platform::GetProcAddress(module_, name));
    if (pointer == nullptr)
        ++missing_;
}

TagLibrary::TagLibrary() : module_(platform::LoadLibraryA(testsupport::kLibraryName)) {
#define KIVUNA_RESOLVE(name) Resolve(name, #name)
    KIVUNA_RESOLVE(ID3v1_Create);
    KIVUNA_RESOLVE(ID3v2_Create);
    KIVUNA_RESOLVE(ID3v1_Load);
    KIVUNA_RESOLVE(ID3v2_Load);
    KIVUNA_RESOLVE(ID3v2_Loaded);
    KIVUNA_RESOLVE(ID3v1_GetTitle);
    KIVUNA_RESOLVE(ID3v1_GetArtist);
    KIVUNA_RESOLVE(ID3v1_GetAlbum);
    KIVUNA_RESOLVE(ID3v1_GetYear);
    KIVUNA_RESOLVE(ID3v1_GetGenre);
    KIVUNA_RESOLVE(ID3v1_GetComment);
    KIVUNA_RESOLVE(ID3v1_GetTrack);
    KIVUNA_RESOLVE(ID3v2_GetAsciiText);
    KIVUNA_RESOLVE(ID3v2_GetCOMM);
    KIVUNA_RESOLVE(ID3v1_SetTitle);
    KIVUNA_RESOLVE(ID3v1_SetArtist);
    KIVUNA_RESOLVE(ID3v1_SetAlbum);
    KIVUNA_RESOLVE(ID3v1_SetYear);
    KIVUNA_RESOLVE(ID3v1_SetComment);
    KIVUNA_RESOLVE(ID3v1_SetGenre);
    KIVUNA_RESOLVE(ID3v1_SetTrack);
    KIVUNA_RESOLVE(ID3v2_SetAsciiText);
    KIVUNA_RESOLVE(ID3v2_SetCOMM);
    KIVUNA_RESOLVE(ID3v2_AddAlbumPicture);
    KIVUNA_RESOLVE(ID3v1_Save);
    KIVUNA_RESOLVE(ID3v2_Save);
#undef KIVUNA_RESOLVE
}

TagLibrary::~TagLibrary() {
    platform::FreeLibrary(module_);
}

std::string LibraryPath() {
    char exe[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string path(exe, n > 0 ? static_cast<size_t>(n) : 0);
    return path.substr(0, path.rfind('/') + 1) + testsupport::kLibraryName;
}

} // namespace tagtest
