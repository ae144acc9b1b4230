#pragma once

// The tag library's C interface: ID3v1 and ID3v2 tags of MP3 files behind numbered handles. Texts
// are NUL-terminated UTF-8; a returned text stays valid until the next call on the same handle.
// Boolean answers are int32_t with the truth in the low byte.

#include <stdint.h>

#if defined(KIVUNA_TAG_LIBRARY_BUILD)
#define KIVUNA_TAG_EXPORT __attribute__((visibility("default")))
#else
#define KIVUNA_TAG_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

KIVUNA_TAG_EXPORT uint32_t ID3v1_Create(void);
KIVUNA_TAG_EXPORT uint32_t ID3v2_Create(void);

KIVUNA_TAG_EXPORT int32_t ID3v1_Load(uint32_t handle, const char* fileName);
KIVUNA_TAG_EXPORT int32_t ID3v2_Load(uint32_t handle, const char* fileName);
KIVUNA_TAG_EXPORT int32_t ID3v2_Loaded(uint32_t handle);

KIVUNA_TAG_EXPORT const char* ID3v1_GetTitle(uint32_t handle);
KIVUNA_TAG_EXPORT const char* ID3v1_GetArtist(uint32_t handle);
KIVUNA_TAG_EXPORT const char* ID3v1_GetAlbum(uint32_t handle);
KIVUNA_TAG_EXPORT const char* ID3v1_GetYear(uint32_t handle);
KIVUNA_TAG_EXPORT const char* ID3v1_GetGenre(uint32_t handle);
KIVUNA_TAG_EXPORT const char* ID3v1_GetComment(uint32_t handle);
KIVUNA_TAG_EXPORT int32_t ID3v1_GetTrack(uint32_t handle);

KIVUNA_TAG_EXPORT const char* ID3v2_GetAsciiText(uint32_t handle, const char* frameId);
KIVUNA_TAG_EXPORT const char* ID3v2_GetCOMM(uint32_t handle);

KIVUNA_TAG_EXPORT int32_t ID3v1_SetTitle(uint32_t handle, const char* text);
KIVUNA_TAG_EXPORT int32_t ID3v1_SetArtist(uint32_t handle, const char* text);
KIVUNA_TAG_EXPORT int32_t ID3v1_SetAlbum(uint32_t handle, const char* text);
KIVUNA_TAG_EXPORT int32_t ID3v1_SetYear(uint32_t handle, const char* text);
KIVUNA_TAG_EXPORT int32_t ID3v1_SetComment(uint32_t handle, const char* text);
KIVUNA_TAG_EXPORT void ID3v1_SetGenre(uint32_t handle, uint8_t genreByte);
KIVUNA_TAG_EXPORT void ID3v1_SetTrack(uint32_t handle, uint8_t track);

KIVUNA_TAG_EXPORT void ID3v2_SetAsciiText(uint32_t handle, const char* frameId, const char* text);
KIVUNA_TAG_EXPORT void ID3v2_SetCOMM(uint32_t handle, const char* text, const char* second);
KIVUNA_TAG_EXPORT void ID3v2_AddAlbumPicture(uint32_t handle, const char* pictureFileName,
                                             int32_t kind);

// A save, and every call below that writes, locks the file against other programs' saves and keeps
// the lock for the writes that follow on the same file: it is let go of by the next call that reads
// a file (Load, LoadFileInfo, LoadTagRegions), once that call has read, by a call on another file
// and when the library is unloaded. A program that keeps the library loaded after writing makes
// other programs' saves of that file wait (a few seconds at most, then they fail) until then.
KIVUNA_TAG_EXPORT int32_t ID3v1_Save(uint32_t handle, const char* fileName);
KIVUNA_TAG_EXPORT int32_t ID3v2_Save(uint32_t handle, const char* fileName);

// Remove the tag from the file at once, under the same guarantees as a save: the audio bytes and
// the other tag stay as they are. The handle then holds no tag. Nonzero when the file holds no
// such tag afterwards, also when it had none; 0 for a read-only, vanished or non-MPEG file.
KIVUNA_TAG_EXPORT int32_t ID3v1_Remove(uint32_t handle, const char* fileName);
KIVUNA_TAG_EXPORT int32_t ID3v2_Remove(uint32_t handle, const char* fileName);

// Give a file without the tag an empty one (an ID3v1 record without texts, genre 255; an ID3v2.3
// tag of padding only), under the same guarantees as a save. Nonzero when the file holds the tag
// afterwards, also when it had one; 0 for a read-only, vanished or non-MPEG file.
KIVUNA_TAG_EXPORT int32_t ID3v1_CreateTag(uint32_t handle, const char* fileName);
KIVUNA_TAG_EXPORT int32_t ID3v2_CreateTag(uint32_t handle, const char* fileName);

// The pictures (APIC frames) of a loaded ID3v2 tag, by index from 0 in tag order, less those of
// types removed on the handle. Type, MIME type, size and bytes of one picture; the type is -1 and
// the texts are empty past the last. The bytes stay valid until the next call on the handle.
KIVUNA_TAG_EXPORT int32_t ID3v2_GetPictureCount(uint32_t handle);
KIVUNA_TAG_EXPORT int32_t ID3v2_GetPictureType(uint32_t handle, int32_t index);
KIVUNA_TAG_EXPORT const char* ID3v2_GetPictureMime(uint32_t handle, int32_t index);
KIVUNA_TAG_EXPORT int32_t ID3v2_GetPictureSize(uint32_t handle, int32_t index);
KIVUNA_TAG_EXPORT const char* ID3v2_GetPictureData(uint32_t handle, int32_t index);
// The next save removes every picture of this type (0-20; 3 is the front cover).
KIVUNA_TAG_EXPORT void ID3v2_RemovePictures(uint32_t handle, int32_t type);

// Reads the file's audio properties and tag places into the handle; nonzero for an MP3. Then one
// value by name (0 for an unknown one): "length" (ms), "bitrate" (kbit/s, the average of a VBR
// file), "samplerate" (Hz), "channels", "vbr" (1 with a Xing or VBRI header, or without one for
// frames of several bitrates, which are then counted),
// "mpegversion" (10, 20 or 25), "layer", "channelmode" (0 stereo, 1 joint, 2 dual, 3 mono),
// "id3v2version" (0 without a tag at the front), "id3v2size" (bytes, header and padding
// included), "id3v2padding" (bytes) and "id3v1" (1 with an ID3v1 record).
KIVUNA_TAG_EXPORT int32_t ID3v2_LoadFileInfo(uint32_t handle, const char* fileName);
KIVUNA_TAG_EXPORT int32_t ID3v2_GetFileInfo(uint32_t handle, const char* name);

// A file's two tag regions as raw bytes, so a change can be taken back byte for byte: 1 is the
// 128-byte ID3v1 record at its end, 2 the ID3v2 tag at its front (header, frames, padding).
// LoadTagRegions reads both into the handle; nonzero for an MP3. GetTagRegionSize and
// GetTagRegionData then give one region (size 0 for a tag the file lacks); the bytes stay valid
// until the next call on the handle. PutTagRegions puts both regions into the file in place of
// its own (a region of size 0 takes that tag off), under the same guarantees as a save; nonzero
// when the file holds them afterwards, 0 for a read-only, vanished or non-MPEG file and for bytes
// that are no such regions.
KIVUNA_TAG_EXPORT int32_t ID3v2_LoadTagRegions(uint32_t handle, const char* fileName);
KIVUNA_TAG_EXPORT int32_t ID3v2_GetTagRegionSize(uint32_t handle, int32_t which);
KIVUNA_TAG_EXPORT const char* ID3v2_GetTagRegionData(uint32_t handle, int32_t which);
KIVUNA_TAG_EXPORT int32_t ID3v2_PutTagRegions(uint32_t handle, const char* fileName,
                                              const char* id3v2, int32_t id3v2Size,
                                              const char* id3v1, int32_t id3v1Size);

// Why the handle's last Save, Remove, CreateTag or PutTagRegions failed, as the system said it:
// an errno value ("No space left on device"), 0 when it did not fail or failed for a reason of
// its own (no MPEG audio, a damaged tag). -1 after any load or save, also a load that found
// nothing: the file is still marked by an in-place rewrite made under another of its names, in
// another folder, and only a load or save by that name finishes it.
KIVUNA_TAG_EXPORT int32_t ID3v1_GetLastError(uint32_t handle);
KIVUNA_TAG_EXPORT int32_t ID3v2_GetLastError(uint32_t handle);

// The ID3v2 version (3 or 4) the handle's next Save writes an existing tag in. Frames that version
// cannot hold in any form fail that Save (GetLastError -2), and GetUnconvertedFrames names them
// ("TSST,TDRL"); mode 1 drops them instead, mode 2 only checks: the Save writes nothing and
// answers as a real one would. Other versions are ignored. A file without an ID3v2 tag is given
// none.
KIVUNA_TAG_EXPORT void ID3v2_SetVersion(uint32_t handle, int32_t version, int32_t mode);
KIVUNA_TAG_EXPORT const char* ID3v2_GetUnconvertedFrames(uint32_t handle);

// The library's version and the TagLib version it was built with, as "1.0.0 (TagLib 1.13.0)".
KIVUNA_TAG_EXPORT const char* ID3v2_GetLibraryVersion(void);

// Every entry point, for callers that resolve them all: X(name) for each.
// clang-format off
#define KIVUNA_TAG_ENTRY_POINTS(X) \
    X(ID3v1_Create) \
    X(ID3v2_Create) \
    X(ID3v1_Load) \
    X(ID3v2_Load) \
    X(ID3v2_Loaded) \
    X(ID3v1_GetTitle) \
    X(ID3v1_GetArtist) \
    X(ID3v1_GetAlbum) \
    X(ID3v1_GetYear) \
    X(ID3v1_GetGenre) \
    X(ID3v1_GetComment) \
    X(ID3v1_GetTrack) \
    X(ID3v2_GetAsciiText) \
    X(ID3v2_GetCOMM) \
    X(ID3v1_SetTitle) \
    X(ID3v1_SetArtist) \
    X(ID3v1_SetAlbum) \
    X(ID3v1_SetYear) \
    X(ID3v1_SetComment) \
    X(ID3v1_SetGenre) \
    X(ID3v1_SetTrack) \
    X(ID3v2_SetAsciiText) \
    X(ID3v2_SetCOMM) \
    X(ID3v2_AddAlbumPicture) \
    X(ID3v1_Save) \
    X(ID3v2_Save) \
    X(ID3v1_Remove) \
    X(ID3v2_Remove) \
    X(ID3v2_GetPictureCount) \
    X(ID3v2_GetPictureType) \
    X(ID3v2_GetPictureMime) \
    X(ID3v2_GetPictureSize) \
    X(ID3v2_GetPictureData) \
    X(ID3v2_RemovePictures) \
    X(ID3v2_LoadFileInfo) \
    X(ID3v2_GetFileInfo) \
    X(ID3v1_CreateTag) \
    X(ID3v2_CreateTag) \
    X(ID3v2_LoadTagRegions) \
    X(ID3v2_GetTagRegionSize) \
    X(ID3v2_GetTagRegionData) \
    X(ID3v2_PutTagRegions) \
    X(ID3v1_GetLastError) \
    X(ID3v2_GetLastError) \
    X(ID3v2_GetLibraryVersion) \
    X(ID3v2_SetVersion) \
    X(ID3v2_GetUnconvertedFrames)
// clang-format on

// Pointer types for callers that resolve the entry points at run time.
typedef uint32_t (*ID3v1_Create_t)(void);
typedef uint32_t (*ID3v2_Create_t)(void);
typedef int32_t (*ID3v1_Load_t)(uint32_t, const char*);
typedef int32_t (*ID3v2_Load_t)(uint32_t, const char*);
typedef int32_t (*ID3v2_Loaded_t)(uint32_t);
typedef const char* (*ID3v1_GetText_t)(uint32_t);
typedef int32_t (*ID3v1_GetTrack_t)(uint32_t);
typedef const char* (*ID3v2_GetAsciiText_t)(uint32_t, const char*);
typedef const char* (*ID3v2_GetCOMM_t)(uint32_t);
typedef int32_t (*ID3v1_SetText_t)(uint32_t, const char*);
typedef void (*ID3v1_SetByte_t)(uint32_t, uint8_t);
typedef void (*ID3v2_SetAsciiText_t)(uint32_t, const char*, const char*);
typedef void (*ID3v2_SetCOMM_t)(uint32_t, const char*, const char*);
typedef void (*ID3v2_AddAlbumPicture_t)(uint32_t, const char*, int32_t);
typedef int32_t (*ID3_Save_t)(uint32_t, const char*);
typedef int32_t (*ID3_Remove_t)(uint32_t, const char*);
typedef int32_t (*ID3v2_GetPictureInt_t)(uint32_t, int32_t);
typedef const char* (*ID3v2_GetPictureText_t)(uint32_t, int32_t);
typedef void (*ID3v2_RemovePictures_t)(uint32_t, int32_t);
typedef int32_t (*ID3v2_GetFileInfo_t)(uint32_t, const char*);
typedef int32_t (*ID3v2_PutTagRegions_t)(uint32_t, const char*, const char*, int32_t, const char*,
                                         int32_t);

#ifdef __cplusplus
}
#endif
