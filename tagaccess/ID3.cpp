#include "ID3.h"

#include "TagSteps.h"
#include "platform/AnsiText.h"
#include "platform/FolderLocks.h"
#include "platform/MessageBox.h"

namespace tagaccess {
namespace {

using platform::ToAnsi;
using namespace steps;

// The common failure handler: every failure of the body ends it; its message is shown when
// asked to. Answers whether the body ran to its end.
template <typename Body> bool Guarded(bool showErrors, Body&& body) {
    try {
        body();
        return true;
    } catch (const platform::Exception& e) {
        if (showErrors)
            platform::ShowMessage(e.Message());
        return false;
    }
}

// A read and the saves that depend on it hold the file's folder: no other run's change comes in
// between to be overwritten.
void RequireHeld(const platform::FolderLocks& lock) {
    if (!lock.Held())
        throw platform::Exception(lock.Failure());
}

// One handle per tag, loaded from the file: the fields it holds, and whether the file holds the
// tag (a file without it reads as empty fields, silently). A read that fails half-way keeps the
// fields it had filled.
struct LoadedTag {
    TagHandle handle = 0;
    bool found = false;
    TagFields fields = EmptyTagFields();
};

void LoadId3v1(const TDll& library, const QString& path, LoadedTag& tag) {
    tag.handle = CreateEntry(library, "ID3v1_Create")();
    tag.found = LowByte(TextCallEntry(library, "ID3v1_Load")(tag.handle, ToAnsi(path).constData()));
    if (tag.found)
        FillId3v1(library, tag.handle, tag.fields);
    else
        CheckLoaded(library, tag.handle, 1, path);
}

void LoadId3v2(const TDll& library, const QString& path, LoadedTag& tag) {
    tag.handle = CreateEntry(library, "ID3v2_Create")();
    TextCallEntry(library, "ID3v2_Load")(tag.handle, ToAnsi(path).constData());
    tag.found = LowByte(GetIntEntry(library, "ID3v2_Loaded")(tag.handle));
    if (tag.found)
        FillId3v2(library, tag.handle, tag.fields);
    else
        CheckLoaded(library, tag.handle, 2, path);
}

// The fields of both tags, with a library the caller holds (no regions).
ID3::TagsAndRegions LoadBoth(const TDll& library, const QString& path) {
    LoadedTag v1;
    LoadId3v1(library, path, v1);
    LoadedTag v2;
    LoadId3v2(library, path, v2);
    return {std::move(v1.fields), std::move(v2.fields), std::nullopt};
}

// A copy from a tag the file does not hold would wipe the other tag with empty texts.
void RequireSourceTag(bool found, const char* tagName, const QString& path) {
    if (!found)
        throw platform::Exception(MissingSourceTag(QLatin1String(tagName), path));
}

// What an ID3v1 handle without a tag reads as: six empty texts and track "0".
bool HoldsNoId3v1Data(const TagFields& fields) {
    for (int index = 0; index < kTagFieldCount; ++index) {
        const QString& text = Field(fields, index);
        if (!text.isEmpty() && !(index == kTrack && text == u"0"))
            return false;
    }
    return true;
}

TagHandle CreateAndLoad(const TDll& library, const char* create, const char* load,
                        const QString& path) {
    const TagHandle handle = CreateEntry(library, create)();
    // Only a load that found nothing can be one the library could not read.
    if (!LowByte(TextCallEntry(library, load)(handle, ToAnsi(path).constData())))
        CheckLoaded(library, handle, QByteArray(create).startsWith("ID3v1") ? 1 : 2, path);
    return handle;
}

// Writes the fields of the mask into the ID3v2 tag in one save, the pictures of the removed types
// taken off before the picture of fields[kPicture] (if any) is attached. A file without an ID3v2
// tag gets one.
void WriteV2(const QString& path, const TagFields& fields, const FieldMask& only,
             const std::set<int>& removedPictureTypes) {
    const TDll library(kTagLibraryName);
    const TagHandle handle = CreateAndLoad(library, "ID3v2_Create", "ID3v2_Load", path);
    GetIntEntry(library, "ID3v2_Loaded")(handle);
    SetId3v2Texts(library, handle, fields, only);
    if (!removedPictureTypes.empty()) {
        const RemovePicturesEntry remove(library, "ID3v2_RemovePictures");
        for (const int type : removedPictureTypes)
            remove(handle, type);
    }
    AttachPicture(library, handle, Field(fields, kPicture));
    SaveId3v2(library, handle, path);
}

// A sync saves the ID3v1 tag first; when the ID3v2 tag could then not be saved (a damaged tag, a
// file that cannot be written), the file would keep half a sync. A save of the handle before
// any change writes nothing but is refused exactly where the real save would be, so it decides
// before the first byte is written.
void CheckBothSavable(const TDll& library, TagHandle v2, const QString& path) {
    SaveId3v2(library, v2, path);
}

// Both tags' bytes, read with a library the caller holds; nothing for a file that is no MP3.
std::optional<TagRegions> LoadRegions(const TDll& library, const QString& path) {
    const TagHandle handle = CreateEntry(library, "ID3v2_Create")();
    if (!LowByte(
            TextCallEntry(library, "ID3v2_LoadTagRegions")(handle, ToAnsi(path).constData()))) {
        CheckLoaded(library, handle, 2, path);
        return std::nullopt;
    }
    const PictureIntEntry size(library, "ID3v2_GetTagRegionSize");
    const PictureTextEntry data(library, "ID3v2_GetTagRegionData");
    const auto region = [&](int32_t which) {
        const int32_t bytes = size(handle, which);
        return QByteArray(data(handle, which), bytes);
    };
    return TagRegions{region(2), region(1)};
}

} // namespace

TagFields ID3::ReadId3v1(const QString& path, bool showErrors) {
    LoadedTag tag;
    Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        LoadId3v1(library, path, tag);
    });
    return tag.fields;
}

TagFields ID3::ReadId3v1Loaded(TDll& library, TagHandle handle) {
    TagFields fields = EmptyTagFields();
    FillId3v1(library, handle, fields);
    return fields;
}

bool ID3::WriteId3v1(const QString& path, const TagFields& fields, bool showErrors) {
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        // The load's answer does not matter: a file without an ID3v1 tag gets one.
        const TagHandle handle = CreateAndLoad(library, "ID3v1_Create", "ID3v1_Load", path);
        StoreId3v1(library, handle, fields, path);
    });
}

bool ID3::WriteId3v1Loaded(const QString& path, const TagFields& fields, TDll& library,
                           TagHandle handle) {
    return Guarded(true, [&] { StoreId3v1(library, handle, fields, path); });
}

TagFields ID3::ReadId3v2(const QString& path, bool showErrors) {
    LoadedTag tag;
    Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        LoadId3v2(library, path, tag);
    });
    return tag.fields;
}

TagFields ID3::ReadId3v2Loaded(TDll& library, TagHandle handle) {
    TagFields fields = EmptyTagFields();
    if (LowByte(GetIntEntry(library, "ID3v2_Loaded")(handle)))
        FillId3v2(library, handle, fields);
    else
        platform::ShowMessage(QStringLiteral("Tag NOT LOADED!"));
    return fields;
}

bool ID3::WriteId3v2(const QString& path, const TagFields& fields, bool showErrors) {
    return WriteId3v2Fields(path, fields, kAllFields, showErrors);
}

bool ID3::WriteId3v2Fields(const QString& path, const TagFields& fields, const FieldMask& only,
                           bool showErrors) {
    return Guarded(showErrors, [&] { WriteV2(path, fields, only, {}); });
}

bool ID3::WriteId3v2AndPictures(const QString& path, const TagFields& fields,
                                const std::set<int>& removedPictureTypes, bool showErrors) {
    return Guarded(showErrors, [&] { WriteV2(path, fields, kAllFields, removedPictureTypes); });
}

bool ID3::WriteId3v2Loaded(const QString& path, const TagFields& fields, TDll& library,
                           TagHandle handle) {
    return Guarded(true, [&] {
        SetId3v2Texts(library, handle, fields);
        AttachPicture(library, handle, Field(fields, kPicture));
        SaveId3v2(library, handle, path);
    });
}

bool ID3::RemoveId3v1(const QString& path, bool showErrors) {
    return Guarded(showErrors, [&] { RemoveTag(TDll(kTagLibraryName), 1, path); });
}

bool ID3::RemoveId3v2(const QString& path, bool showErrors) {
    return Guarded(showErrors, [&] { RemoveTag(TDll(kTagLibraryName), 2, path); });
}

std::vector<TagPicture> ID3::ReadPictures(const QString& path, bool showErrors) {
    std::vector<TagPicture> pictures;
    Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        const TagHandle handle = CreateEntry(library, "ID3v2_Create")();
        if (LowByte(TextCallEntry(library, "ID3v2_Load")(handle, ToAnsi(path).constData())))
            pictures = AllPictures(library, handle);
        else
            CheckLoaded(library, handle, 2, path);
    });
    return pictures;
}

bool ID3::RemovePictures(const QString& path, int type, bool showErrors) {
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        const TagHandle handle = CreateAndLoad(library, "ID3v2_Create", "ID3v2_Load", path);
        RemovePicturesEntry(library, "ID3v2_RemovePictures")(handle, type);
        SaveId3v2(library, handle, path);
    });
}

std::optional<AudioFacts> ID3::ReadAudioFacts(const QString& path, bool showErrors) {
    std::optional<AudioFacts> facts;
    Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        const TagHandle handle = CreateEntry(library, "ID3v2_Create")();
        if (LowByte(FileInfoEntry(library, "ID3v2_LoadFileInfo")(handle, ToAnsi(path).constData())))
            facts = ReadFacts(library, handle);
    });
    return facts;
}

std::optional<TagRegions> ID3::ReadTagRegions(const QString& path, bool showErrors) {
    std::optional<TagRegions> regions;
    Guarded(showErrors, [&] { regions = LoadRegions(TDll(kTagLibraryName), path); });
    return regions;
}

std::optional<ID3::TagsAndRegions>
ID3::ReadTagsAndRegions(const QString& path, const WantsRegions& wantsRegions, bool showErrors) {
    std::optional<TagsAndRegions> read;
    Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        TagsAndRegions tags = LoadBoth(library, path);
        if (wantsRegions(tags.id3v1, tags.id3v2)) {
            tags.regions = LoadRegions(library, path);
            if (!tags.regions)
                return;
        }
        read = std::move(tags);
    });
    return read;
}

bool ID3::WriteTagRegions(const QString& path, const TagRegions& regions, bool showErrors) {
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        const TagHandle handle = CreateEntry(library, "ID3v2_Create")();
        CheckWritten(library, handle, 2,
                     PutRegionsEntry(library, "ID3v2_PutTagRegions")(
                         handle, ToAnsi(path).constData(), regions.id3v2.constData(),
                         int32_t(regions.id3v2.size()), regions.id3v1.constData(),
                         int32_t(regions.id3v1.size())),
                     QStringLiteral("The tags kept of \"%1\" could not be written back").arg(path));
    });
}

bool ID3::CheckSavable(const QString& path, bool id3v1, bool id3v2, bool showErrors) {
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        if (id3v1) {
            const TagHandle v1 = CreateAndLoad(library, "ID3v1_Create", "ID3v1_Load", path);
            CheckWritten(library, v1, 1,
                         TextCallEntry(library, "ID3v1_Save")(v1, ToAnsi(path).constData()),
                         QStringLiteral("The ID3v1 tag could not be saved to \"%1\"").arg(path));
        }
        if (id3v2)
            SaveId3v2(library, CreateAndLoad(library, "ID3v2_Create", "ID3v2_Load", path), path);
    });
}

bool ID3::ConvertId3v2(const QString& path, int version, Unconverted unconverted, bool showErrors) {
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        const TagHandle handle = CreateAndLoad(library, "ID3v2_Create", "ID3v2_Load", path);
        TDllEntry<void, TagHandle, int32_t, int32_t>(library, "ID3v2_SetVersion")(
            handle, version, static_cast<int32_t>(unconverted));
        CheckWritten(library, handle, 2,
                     TextCallEntry(library, "ID3v2_Save")(handle, ToAnsi(path).constData()),
                     QStringLiteral("The ID3v2 tag of \"%1\" was not saved as ID3v2.%2")
                         .arg(path)
                         .arg(version));
    });
}

bool ID3::CreateEmptyTag(const QString& path, int version, bool showErrors) {
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        const bool v1 = version == 1;
        const TagHandle handle = CreateEntry(library, v1 ? "ID3v1_Create" : "ID3v2_Create")();
        CheckWritten(library, handle, version,
                     TextCallEntry(library, v1 ? "ID3v1_CreateTag" : "ID3v2_CreateTag")(
                         handle, ToAnsi(path).constData()),
                     QStringLiteral("The %1 tag could not be created in \"%2\"")
                         .arg(QLatin1String(v1 ? "ID3v1" : "ID3v2"), path));
    });
}

// The transfer operations read and write with one load of the library: the file is the same
// throughout, so the write handles are the ones the reads loaded. Any failure of the reads ends
// the operation before anything is written: going on with half-read fields would overwrite real
// data with empty texts.

bool ID3::CopyV1ToV2(const QString& path, bool showErrors) {
    return Guarded(showErrors, [&] {
        const platform::FolderLocks lock({path});
        RequireHeld(lock);
        const TDll library(kTagLibraryName);
        LoadedTag v1;
        LoadId3v1(library, path, v1);
        RequireSourceTag(v1.found, "ID3v1", path);
        const TagHandle v2 = CreateAndLoad(library, "ID3v2_Create", "ID3v2_Load", path);
        SetId3v2Texts(library, v2, v1.fields);
        SaveId3v2(library, v2, path);
    });
}

bool ID3::CopyV1ToV2Loaded(const QString& path, TDll& library, TagHandle v1, TagHandle v2) {
    return Guarded(true, [&] {
        const platform::FolderLocks lock({path});
        RequireHeld(lock);
        const TagFields fields = ReadId3v1Loaded(library, v1);
        // The handle cannot say whether its load found a tag; one without any holds nothing.
        RequireSourceTag(!HoldsNoId3v1Data(fields), "ID3v1", path);
        SetId3v2Texts(library, v2, fields);
        SaveId3v2(library, v2, path);
    });
}

bool ID3::CopyV2ToV1(const QString& path, bool showErrors) {
    return Guarded(showErrors, [&] {
        const platform::FolderLocks lock({path});
        RequireHeld(lock);
        const TDll library(kTagLibraryName);
        LoadedTag v2;
        LoadId3v2(library, path, v2);
        RequireSourceTag(v2.found, "ID3v2", path);
        const TagHandle v1 = CreateAndLoad(library, "ID3v1_Create", "ID3v1_Load", path);
        StoreId3v1(library, v1, v2.fields, path);
    });
}

bool ID3::CopyV2ToV1Loaded(const QString& path, TDll& library, TagHandle v1, TagHandle v2) {
    return Guarded(true, [&] {
        const platform::FolderLocks lock({path});
        RequireHeld(lock);
        const TagFields fields = ReadId3v2Loaded(library, v2);
        RequireSourceTag(LowByte(GetIntEntry(library, "ID3v2_Loaded")(v2)), "ID3v2", path);
        StoreId3v1(library, v1, fields, path);
    });
}

bool ID3::SyncTags(const QString& path, int8_t preferredVersion, bool showErrors, SyncLeft* left) {
    return Guarded(showErrors, [&] {
        const platform::FolderLocks lock({path});
        RequireHeld(lock);
        const TDll library(kTagLibraryName);
        // Both are written whether or not they were found: a file that lacks one tag is given it.
        LoadedTag v1;
        LoadId3v1(library, path, v1);
        LoadedTag v2;
        LoadId3v2(library, path, v2);
        CheckBothSavable(library, v2.handle, path);
        const TagFields merged = MergeFields(v1.fields, v2.fields, preferredVersion);
        StoreId3v1(library, v1.handle, merged, path);
        SetId3v2Texts(library, v2.handle, merged);
        SaveId3v2(library, v2.handle, path);
        // The sync is done whatever these reads give: a failure only leaves that part empty.
        if (!left)
            return;
        Guarded(false, [&] { left->regions = LoadRegions(library, path); });
        if (left->fields)
            Guarded(false, [&] {
                TagsAndRegions read = LoadBoth(library, path);
                left->id3v1 = std::move(read.id3v1);
                left->id3v2 = std::move(read.id3v2);
            });
    });
}

bool ID3::SyncTagsLoaded(const QString& path, TDll& library, TagHandle v1, TagHandle v2,
                         int8_t preferredVersion) {
    return Guarded(true, [&] {
        const platform::FolderLocks lock({path});
        RequireHeld(lock);
        const TagFields fields1 = ReadId3v1Loaded(library, v1);
        const TagFields fields2 = ReadId3v2Loaded(library, v2);
        CheckBothSavable(library, v2, path);
        const TagFields merged = MergeFields(fields1, fields2, preferredVersion);
        StoreId3v1(library, v1, merged, path);
        SetId3v2Texts(library, v2, merged);
        SaveId3v2(library, v2, path);
    });
}

} // namespace tagaccess
