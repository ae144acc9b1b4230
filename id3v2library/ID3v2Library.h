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

KIVUNA_TAG_EXPORT int32_t ID3v1_Save(uint32_t handle, const char* fileName);
KIVUNA_TAG_EXPORT int32_t ID3v2_Save(uint32_t handle, const char* fileName);

// Remove the tag from the file at once, under the same guarantees as a save: the audio bytes and
// the other tag stay as they are. The handle then holds no tag. Nonzero when the file holds no
// such tag afterwards, also when it had none; 0 for a read-only, vanished or non-MPEG file.
KIVUNA_TAG_EXPORT int32_t ID3v1_Remove(uint32_t handle, const char* fileName);
KIVUNA_TAG_EXPORT int32_t ID3v2_Remove(uint32_t handle, const char* fileName);

// Every entry point, for callers that resolve them all: X(name) for each.
#define KIVUNA_TAG_ENTRY_POINTS(X)                                                                 \
    X(ID3v1_Create)                                                                                \
    X(ID3v2_Create)                                                                                \
    X(ID3v1_Load)                                                                                  \
    X(ID3v2_Load)                                                                                  \
    X(ID3v2_Loaded) X(ID3v1_GetTitle) X(ID3v1_GetArtist) X(ID3v1_GetAlbum) X(ID3v1_GetYear)        \
        X(ID3v1_GetGenre) X(ID3v1_GetComment) X(ID3v1_GetTrack) X(ID3v2_GetAsciiText)              \
            X(ID3v2_GetCOMM) X(ID3v1_SetTitle) X(ID3v1_SetArtist) X(ID3v1_SetAlbum)                \
                X(ID3v1_SetYear) X(ID3v1_SetComment) X(ID3v1_SetGenre) X(ID3v1_SetTrack)           \
                    X(ID3v2_SetAsciiText) X(ID3v2_SetCOMM) X(ID3v2_AddAlbumPicture) X(ID3v1_Save)  \
                        X(ID3v2_Save) X(ID3v1_Remove) X(ID3v2_Remove)

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

#ifdef __cplusplus
}
#endif
