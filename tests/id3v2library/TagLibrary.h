#pragma once

// ID3v2Library.dll loaded the way the programs load it (platform loader, bare name, the copy
// beside the test executable) with its 26 entry points resolved; unloaded with the object.
#include <string>

#include "id3v2library/ID3v2Library.h"
#include "platform/Loader.h"

namespace tagtest {

class TagLibrary {
  public:
    TagLibrary();
    ~TagLibrary();
    TagLibrary(const TagLibrary&) = delete;
    TagLibrary& operator=(const TagLibrary&) = delete;

    // True when the library loaded and every entry point resolved.
    bool Complete() const { return module_ != nullptr && missing_ == 0; }
    platform::HMODULE Module() const { return module_; }

    ID3v1_Create_t ID3v1_Create{};
    ID3v2_Create_t ID3v2_Create{};
    ID3v1_Load_t ID3v1_Load{};
    ID3v2_Load_t ID3v2_Load{};
    ID3v2_Loaded_t ID3v2_Loaded{};
    ID3v1_GetText_t ID3v1_GetTitle{};
    ID3v1_GetText_t ID3v1_GetArtist{};
    ID3v1_GetText_t ID3v1_GetAlbum{};
    ID3v1_GetText_t ID3v1_GetYear{};
    ID3v1_GetText_t ID3v1_GetGenre{};
    ID3v1_GetText_t ID3v1_GetComment{};
    ID3v1_GetTrack_t ID3v1_GetTrack{};
    ID3v2_GetAsciiText_t ID3v2_GetAsciiText{};
    ID3v2_GetCOMM_t ID3v2_GetCOMM{};
    ID3v1_SetText_t ID3v1_SetTitle{};
    ID3v1_SetText_t ID3v1_SetArtist{};
    ID3v1_SetText_t ID3v1_SetAlbum{};
    ID3v1_SetText_t ID3v1_SetYear{};
    ID3v1_SetText_t ID3v1_SetComment{};
    ID3v1_SetByte_t ID3v1_SetGenre{};
    ID3v1_SetByte_t ID3v1_SetTrack{};
    ID3v2_SetAsciiText_t ID3v2_SetAsciiText{};
    ID3v2_SetCOMM_t ID3v2_SetCOMM{};
    ID3v2_AddAlbumPicture_t ID3v2_AddAlbumPicture{};
    ID3_Save_t ID3v1_Save{};
    ID3_Save_t ID3v2_Save{};

  private:
    template <typename Pointer> void Resolve(Pointer& pointer, const char* name);

    platform::HMODULE module_ = nullptr;
    int missing_ = 0;
};

// Full path of the library the loader picks for the bare name.
std::string LibraryPath();

} // namespace tagtest
