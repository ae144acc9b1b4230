#include "ID3.h"

#include "TagSteps.h"
#include "platform/AnsiText.h"
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

// The reads answer whether they ran to their end; `found` tells whether the file holds the tag.
bool ReadV1(const QString& path, bool showErrors, TagFields& fields, bool& found) {
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        const TagHandle handle = CreateEntry(library, "ID3v1_Create")();
        // A file without an ID3v1 tag reads as empty fields, silently.
        found = LowByte(TextCallEntry(library, "ID3v1_Load")(handle, ToAnsi(path).constData()));
        if (found)
            FillId3v1(library, handle, fields);
    });
}

bool ReadV2(const QString& path, bool showErrors, TagFields& fields, bool& found) {
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        const TagHandle handle = CreateEntry(library, "ID3v2_Create")();
        TextCallEntry(library, "ID3v2_Load")(handle, ToAnsi(path).constData());
        found = LowByte(GetIntEntry(library, "ID3v2_Loaded")(handle));
        if (found)
            FillId3v2(library, handle, fields);
    });
}

// A copy from a tag the file does not hold would wipe the other tag with empty texts.
void RequireSourceTag(bool found, const char* tagName, const QString& path) {
    if (!found)
        throw platform::Exception(QStringLiteral("There is no %1 tag to copy in \"%2\".")
                                      .arg(QLatin1String(tagName), path));
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
    TextCallEntry(library, load)(handle, ToAnsi(path).constData());
    return handle;
}

// A sync saves the ID3v1 tag first; when the ID3v2 tag could then not be saved (a damaged tag, a
// file that cannot be written), the file would keep half a sync. A save of the handle before
// any change writes nothing but is refused exactly where the real save would be, so it decides
// before the first byte is written.
void CheckBothSavable(const TDll& library, TagHandle v2, const QString& path) {
    SaveId3v2(library, v2, path);
}

} // namespace

TagFields ID3::ReadId3v1(const QString& path, bool showErrors) {
    TagFields fields = EmptyTagFields();
    bool found = false;
    ReadV1(path, showErrors, fields, found);
    return fields;
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
    TagFields fields = EmptyTagFields();
    bool found = false;
    ReadV2(path, showErrors, fields, found);
    return fields;
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
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        // Neither answer matters: a file without an ID3v2 tag gets one.
        const TagHandle handle = CreateAndLoad(library, "ID3v2_Create", "ID3v2_Load", path);
        GetIntEntry(library, "ID3v2_Loaded")(handle);
        SetId3v2Texts(library, handle, fields);
        AttachPicture(library, handle, Field(fields, kPicture));
        SaveId3v2(library, handle, path);
    });
}

bool ID3::WriteId3v2Loaded(const QString& path, const TagFields& fields, TDll& library,
                           TagHandle handle) {
    return Guarded(true, [&] {
        SetId3v2Texts(library, handle, fields);
        AttachPicture(library, handle, Field(fields, kPicture));
        SaveId3v2(library, handle, path);
    });
}

// The nested reads of the transfer operations show their errors only when the operation does,
// and a read that failed ends the operation before anything is written: going on with half-read
// fields would overwrite real data with empty texts.

bool ID3::CopyV1ToV2(const QString& path, bool showErrors) {
    TagFields v1 = EmptyTagFields();
    bool found = false;
    if (!ReadV1(path, showErrors, v1, found))
        return false;
    return Guarded(showErrors, [&] {
        RequireSourceTag(found, "ID3v1", path);
        const TDll library(kTagLibraryName);
        const TagHandle handle = CreateAndLoad(library, "ID3v2_Create", "ID3v2_Load", path);
        SetId3v2Texts(library, handle, v1);
        SaveId3v2(library, handle, path);
    });
}

bool ID3::CopyV1ToV2Loaded(const QString& path, TDll& library, TagHandle v1, TagHandle v2) {
    return Guarded(true, [&] {
        const TagFields fields = ReadId3v1Loaded(library, v1);
        // The handle cannot say whether its load found a tag; one without any holds nothing.
        RequireSourceTag(!HoldsNoId3v1Data(fields), "ID3v1", path);
        SetId3v2Texts(library, v2, fields);
        SaveId3v2(library, v2, path);
    });
}

bool ID3::CopyV2ToV1(const QString& path, bool showErrors) {
    TagFields v2 = EmptyTagFields();
    bool found = false;
    if (!ReadV2(path, showErrors, v2, found))
        return false;
    return Guarded(showErrors, [&] {
        RequireSourceTag(found, "ID3v2", path);
        const TDll library(kTagLibraryName);
        const TagHandle handle = CreateAndLoad(library, "ID3v1_Create", "ID3v1_Load", path);
        StoreId3v1(library, handle, v2, path);
    });
}

bool ID3::CopyV2ToV1Loaded(const QString& path, TDll& library, TagHandle v1, TagHandle v2) {
    return Guarded(true, [&] {
        const TagFields fields = ReadId3v2Loaded(library, v2);
        RequireSourceTag(LowByte(GetIntEntry(library, "ID3v2_Loaded")(v2)), "ID3v2", path);
        StoreId3v1(library, v1, fields, path);
    });
}

bool ID3::SyncTags(const QString& path, int8_t preferredVersion, bool showErrors) {
    TagFields v1 = EmptyTagFields();
    TagFields v2 = EmptyTagFields();
    bool found = false;
    if (!ReadV1(path, showErrors, v1, found) || !ReadV2(path, showErrors, v2, found))
        return false;
    return Guarded(showErrors, [&] {
        const TDll library(kTagLibraryName);
        // No answer matters: a file that lacks one of the tags is given it.
        const TagHandle handle1 = CreateAndLoad(library, "ID3v1_Create", "ID3v1_Load", path);
        const TagHandle handle2 = CreateAndLoad(library, "ID3v2_Create", "ID3v2_Load", path);
        GetIntEntry(library, "ID3v2_Loaded")(handle2);
        CheckBothSavable(library, handle2, path);
        const TagFields merged = MergeFields(v1, v2, preferredVersion);
        StoreId3v1(library, handle1, merged, path);
        SetId3v2Texts(library, handle2, merged);
        SaveId3v2(library, handle2, path);
    });
}

bool ID3::SyncTagsLoaded(const QString& path, TDll& library, TagHandle v1, TagHandle v2,
                         int8_t preferredVersion) {
    return Guarded(true, [&] {
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
