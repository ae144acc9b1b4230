// The exported C entry points. Each one finds its handle, does its work under the table's lock and
// turns any exception into the failure answer: nothing C++ crosses into the caller.
#include "ID3v2Library.h"

#include "HandleTable.h"
#include "Id3v1Genres.h"
#include "PictureFile.h"
#include "SharedFile.h"
#include "SystemError.h"
#include "TagText.h"

#include <taglib/taglib.h>

// TagLib's version as its headers give it, in text.
#define KIVUNA_TEXT(x) #x
#define KIVUNA_NUMBER_TEXT(x) KIVUNA_TEXT(x)
#define TAGLIB_VERSION_TEXT                                                                        \
    KIVUNA_NUMBER_TEXT(TAGLIB_MAJOR_VERSION)                                                       \
    "." KIVUNA_NUMBER_TEXT(TAGLIB_MINOR_VERSION) "." KIVUNA_NUMBER_TEXT(TAGLIB_PATCH_VERSION)

using kivuna::tags::HandleTable;
using kivuna::tags::Id3v1Field;
using kivuna::tags::Id3v1Handle;
using kivuna::tags::Id3v2Handle;

namespace {

// Runs `body` with the handle's state, or answers `failure` for an unknown handle or an exception.
template <typename Handle, typename Result, typename Body>
Result WithHandle(uint32_t handle, Result failure, Body&& body) noexcept {
    try {
        HandleTable& table = HandleTable::Instance();
        const std::lock_guard lock(table.Lock());
        Handle* state = table.Find<Handle>(handle);
        return state != nullptr ? body(*state) : failure;
    } catch (...) {
        return failure;
    }
}

template <typename Handle> uint32_t Create() noexcept {
    try {
        HandleTable& table = HandleTable::Instance();
        const std::lock_guard lock(table.Lock());
        return table.Create<Handle>();
    } catch (...) {
        return 0;
    }
}

int32_t Answer(bool value) {
    return value ? 1 : 0;
}

// A step that writes the file: the handle keeps the system's reason when it fails.
template <typename Handle, typename Step> int32_t SaveStep(uint32_t handle, Step&& step) {
    return WithHandle<Handle>(handle, int32_t{0}, [&](Handle& state) {
        kivuna::tags::ClearSystemError();
        const bool done = step(state);
        state.SetLastError(done ? 0 : kivuna::tags::LastSystemError());
        return Answer(done);
    });
}

// A call that only reads ends the operation's saves: the save lock they kept is let go of once the
// call has read (SharedFile.h).
template <typename Handle, typename Read> int32_t ReadStep(uint32_t handle, Read&& read) {
    return WithHandle<Handle>(handle, int32_t{0}, [&](Handle& state) {
        const bool done = read(state);
        kivuna::tags::LetGoOfSaveLock();
        return Answer(done);
    });
}

const char* GetV1Text(uint32_t handle, Id3v1Field field) {
    return WithHandle<Id3v1Handle>(
        handle, "", [&](Id3v1Handle& state) { return state.Returned().Keep(state.Text(field)); });
}

int32_t SetV1Text(uint32_t handle, Id3v1Field field, const char* text) {
    return WithHandle<Id3v1Handle>(handle, int32_t{0}, [&](Id3v1Handle& state) {
        if (text == nullptr)
            return int32_t{0};
        state.SetText(field, text);
        return int32_t{1};
    });
}

} // namespace

extern "C" {

uint32_t ID3v1_Create(void) {
    return Create<Id3v1Handle>();
}

uint32_t ID3v2_Create(void) {
    return Create<Id3v2Handle>();
}

int32_t ID3v1_Load(uint32_t handle, const char* fileName) {
    return ReadStep<Id3v1Handle>(handle, [&](Id3v1Handle& state) { return state.Load(fileName); });
}

int32_t ID3v2_Load(uint32_t handle, const char* fileName) {
    return ReadStep<Id3v2Handle>(handle, [&](Id3v2Handle& state) { return state.Load(fileName); });
}

int32_t ID3v2_Loaded(uint32_t handle) {
    return WithHandle<Id3v2Handle>(handle, int32_t{0},
                                   [](Id3v2Handle& state) { return Answer(state.Loaded()); });
}

const char* ID3v1_GetTitle(uint32_t handle) {
    return GetV1Text(handle, Id3v1Field::Title);
}

const char* ID3v1_GetArtist(uint32_t handle) {
    return GetV1Text(handle, Id3v1Field::Artist);
}

const char* ID3v1_GetAlbum(uint32_t handle) {
    return GetV1Text(handle, Id3v1Field::Album);
}

const char* ID3v1_GetYear(uint32_t handle) {
    return GetV1Text(handle, Id3v1Field::Year);
}

const char* ID3v1_GetComment(uint32_t handle) {
    return GetV1Text(handle, Id3v1Field::Comment);
}

const char* ID3v1_GetGenre(uint32_t handle) {
    return WithHandle<Id3v1Handle>(handle, "", [](Id3v1Handle& state) {
        return state.Returned().Keep(kivuna::tags::Id3v1GenreName(state.Genre()));
    });
}

int32_t ID3v1_GetTrack(uint32_t handle) {
    return WithHandle<Id3v1Handle>(handle, int32_t{0},
                                   [](Id3v1Handle& state) { return int32_t{state.Track()}; });
}

const char* ID3v2_GetAsciiText(uint32_t handle, const char* frameId) {
    return WithHandle<Id3v2Handle>(handle, "", [&](Id3v2Handle& state) {
        return state.Returned().Keep(state.Text(kivuna::tags::TextOrEmpty(frameId)));
    });
}

const char* ID3v2_GetCOMM(uint32_t handle) {
    return WithHandle<Id3v2Handle>(
        handle, "", [](Id3v2Handle& state) { return state.Returned().Keep(state.Comment()); });
}

int32_t ID3v1_SetTitle(uint32_t handle, const char* text) {
    return SetV1Text(handle, Id3v1Field::Title, text);
}

int32_t ID3v1_SetArtist(uint32_t handle, const char* text) {
    return SetV1Text(handle, Id3v1Field::Artist, text);
}

int32_t ID3v1_SetAlbum(uint32_t handle, const char* text) {
    return SetV1Text(handle, Id3v1Field::Album, text);
}

int32_t ID3v1_SetYear(uint32_t handle, const char* text) {
    return SetV1Text(handle, Id3v1Field::Year, text);
}

int32_t ID3v1_SetComment(uint32_t handle, const char* text) {
    return SetV1Text(handle, Id3v1Field::Comment, text);
}

void ID3v1_SetGenre(uint32_t handle, uint8_t genreByte) {
    WithHandle<Id3v1Handle>(handle, 0, [&](Id3v1Handle& state) {
        state.SetGenre(genreByte);
        return 0;
    });
}

void ID3v1_SetTrack(uint32_t handle, uint8_t track) {
    WithHandle<Id3v1Handle>(handle, 0, [&](Id3v1Handle& state) {
        state.SetTrack(track);
        return 0;
    });
}

void ID3v2_SetAsciiText(uint32_t handle, const char* frameId, const char* text) {
    if (frameId == nullptr || text == nullptr)
        return;
    WithHandle<Id3v2Handle>(handle, 0, [&](Id3v2Handle& state) {
        state.SetText(frameId, text);
        return 0;
    });
}

void ID3v2_SetCOMM(uint32_t handle, const char* text, const char* /*second: always empty*/) {
    if (text == nullptr)
        return;
    WithHandle<Id3v2Handle>(handle, 0, [&](Id3v2Handle& state) {
        state.SetComment(text);
        return 0;
    });
}

void ID3v2_AddAlbumPicture(uint32_t handle, const char* pictureFileName, int32_t kind) {
    WithHandle<Id3v2Handle>(handle, 0, [&](Id3v2Handle& state) {
        if (auto picture = kivuna::tags::ReadPictureFile(pictureFileName, kind))
            state.SetPicture(std::move(*picture));
        return 0;
    });
}

int32_t ID3v1_Save(uint32_t handle, const char* fileName) {
    return SaveStep<Id3v1Handle>(handle, [&](Id3v1Handle& state) { return state.Save(fileName); });
}

int32_t ID3v2_Save(uint32_t handle, const char* fileName) {
    return SaveStep<Id3v2Handle>(handle, [&](Id3v2Handle& state) { return state.Save(fileName); });
}

int32_t ID3v1_Remove(uint32_t handle, const char* fileName) {
    return SaveStep<Id3v1Handle>(handle,
                                 [&](Id3v1Handle& state) { return state.Remove(fileName); });
}

int32_t ID3v2_Remove(uint32_t handle, const char* fileName) {
    return SaveStep<Id3v2Handle>(handle,
                                 [&](Id3v2Handle& state) { return state.Remove(fileName); });
}

int32_t ID3v1_CreateTag(uint32_t handle, const char* fileName) {
    return SaveStep<Id3v1Handle>(handle,
                                 [&](Id3v1Handle& state) { return state.CreateEmpty(fileName); });
}

int32_t ID3v2_CreateTag(uint32_t handle, const char* fileName) {
    return SaveStep<Id3v2Handle>(handle,
                                 [&](Id3v2Handle& state) { return state.CreateEmpty(fileName); });
}

int32_t ID3v2_GetPictureCount(uint32_t handle) {
    return WithHandle<Id3v2Handle>(handle, int32_t{0},
                                   [](Id3v2Handle& state) { return state.PictureCount(); });
}

int32_t ID3v2_GetPictureType(uint32_t handle, int32_t index) {
    return WithHandle<Id3v2Handle>(handle, int32_t{-1}, [&](Id3v2Handle& state) {
        const auto* picture = state.Picture(index);
        return picture != nullptr ? picture->type : int32_t{-1};
    });
}

const char* ID3v2_GetPictureMime(uint32_t handle, int32_t index) {
    return WithHandle<Id3v2Handle>(handle, "", [&](Id3v2Handle& state) {
        const auto* picture = state.Picture(index);
        return state.Returned().Keep(picture != nullptr ? picture->mimeType : std::string());
    });
}

int32_t ID3v2_GetPictureSize(uint32_t handle, int32_t index) {
    return WithHandle<Id3v2Handle>(handle, int32_t{0}, [&](Id3v2Handle& state) {
        const auto* picture = state.Picture(index);
        return picture != nullptr ? static_cast<int32_t>(picture->data.size()) : int32_t{0};
    });
}

const char* ID3v2_GetPictureData(uint32_t handle, int32_t index) {
    return WithHandle<Id3v2Handle>(handle, "", [&](Id3v2Handle& state) {
        const auto* picture = state.Picture(index);
        return state.Returned().Keep(picture != nullptr ? picture->data : std::string());
    });
}

void ID3v2_RemovePictures(uint32_t handle, int32_t type) {
    WithHandle<Id3v2Handle>(handle, 0, [&](Id3v2Handle& state) {
        state.RemovePictures(type);
        return 0;
    });
}

int32_t ID3v2_LoadFileInfo(uint32_t handle, const char* fileName) {
    return ReadStep<Id3v2Handle>(handle,
                                 [&](Id3v2Handle& state) { return state.LoadFileInfo(fileName); });
}

int32_t ID3v2_GetFileInfo(uint32_t handle, const char* name) {
    return WithHandle<Id3v2Handle>(handle, int32_t{0},
                                   [&](Id3v2Handle& state) { return state.FileInfoValue(name); });
}

int32_t ID3v2_LoadTagRegions(uint32_t handle, const char* fileName) {
    return ReadStep<Id3v2Handle>(handle, [&](Id3v2Handle& state) {
        return fileName != nullptr && state.LoadRegions(fileName);
    });
}

int32_t ID3v2_GetTagRegionSize(uint32_t handle, int32_t which) {
    return WithHandle<Id3v2Handle>(handle, int32_t{0}, [&](Id3v2Handle& state) {
        return static_cast<int32_t>(state.Region(which).size());
    });
}

const char* ID3v2_GetTagRegionData(uint32_t handle, int32_t which) {
    return WithHandle<Id3v2Handle>(handle, "",
                                   [&](Id3v2Handle& state) { return state.Region(which).c_str(); });
}

int32_t ID3v2_PutTagRegions(uint32_t handle, const char* fileName, const char* id3v2,
                            int32_t id3v2Size, const char* id3v1, int32_t id3v1Size) {
    if (fileName == nullptr || id3v2Size < 0 || id3v1Size < 0 ||
        (id3v2 == nullptr && id3v2Size != 0) || (id3v1 == nullptr && id3v1Size != 0))
        return 0;
    return SaveStep<Id3v2Handle>(handle, [&](Id3v2Handle& state) {
        return state.PutRegions(fileName, {id3v2, static_cast<size_t>(id3v2Size)},
                                {id3v1, static_cast<size_t>(id3v1Size)});
    });
}

int32_t ID3v1_GetLastError(uint32_t handle) {
    return WithHandle<Id3v1Handle>(handle, int32_t{0},
                                   [](const Id3v1Handle& state) { return state.LastError(); });
}

int32_t ID3v2_GetLastError(uint32_t handle) {
    return WithHandle<Id3v2Handle>(handle, int32_t{0},
                                   [](const Id3v2Handle& state) { return state.LastError(); });
}

void ID3v2_SetVersion(uint32_t handle, int32_t version, int32_t mode) {
    WithHandle<Id3v2Handle>(handle, 0, [&](Id3v2Handle& state) {
        if ((version == 3 || version == 4) && mode >= 0 && mode <= 2)
            state.SetVersion(version, mode == 1, mode == 2);
        return 0;
    });
}

const char* ID3v2_GetUnconvertedFrames(uint32_t handle) {
    return WithHandle<Id3v2Handle>(
        handle, "", [](Id3v2Handle& state) { return state.Returned().Keep(state.Unconverted()); });
}

const char* ID3v2_GetLibraryVersion(void) {
    return KIVUNA_VERSION " (TagLib " TAGLIB_VERSION_TEXT ")";
}

} // extern "C"
