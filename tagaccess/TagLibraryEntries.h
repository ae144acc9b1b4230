#pragma once

#include "TDll.h"

#include <cstdint>

// The tag library's file name and the call signatures of its entry points. Texts are 8-bit
// strings; a bool answer sits in the low byte of a 32-bit value.
namespace tagaccess {

inline constexpr char kTagLibraryName[] = "ID3v2Library.dll";

using TagHandle = uint32_t;

using CreateEntry = TDllEntry<TagHandle>;                                   // *_Create
using TextCallEntry = TDllEntry<int32_t, TagHandle, const char*>;           // Load, Set texts, Save
using GetTextEntry = TDllEntry<const char*, TagHandle>;                     // ID3v1 getters, COMM
using GetIntEntry = TDllEntry<int32_t, TagHandle>;                          // GetTrack, Loaded
using SetByteEntry = TDllEntry<void, TagHandle, uint8_t>;                   // SetGenre, SetTrack
using GetFrameEntry = TDllEntry<const char*, TagHandle, const char*>;       // GetAsciiText
using SetFrameEntry = TDllEntry<void, TagHandle, const char*, const char*>; // SetAsciiText, SetCOMM
using AddPictureEntry = TDllEntry<void, TagHandle, const char*, int32_t>;   // AddAlbumPicture
using PictureIntEntry =
    TDllEntry<int32_t, TagHandle, int32_t>; // GetPictureType/Size, GetTagRegionSize
using PictureTextEntry =
    TDllEntry<const char*, TagHandle, int32_t>; // GetPictureMime/Data, GetTagRegionData
using RemovePicturesEntry = TDllEntry<void, TagHandle, int32_t>;   // RemovePictures
using FileInfoEntry = TDllEntry<int32_t, TagHandle, const char*>;  // LoadFileInfo, GetFileInfo
using RemoveTagEntry = TDllEntry<int32_t, TagHandle, const char*>; // ID3v1/ID3v2_Remove
using PutRegionsEntry = TDllEntry<int32_t, TagHandle, const char*, const char*, int32_t,
                                  const char*, int32_t>; // ID3v2_PutTagRegions

inline bool LowByte(int32_t answer) {
    return (answer & 0xFF) != 0;
}

} // namespace tagaccess
