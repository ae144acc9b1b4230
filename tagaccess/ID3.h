#pragma once

#include "FileFacts.h"
#include "TDll.h"
#include "TagFields.h"
#include "TagLibraryEntries.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <vector>

namespace tagaccess {

// Reads, writes, copies and synchronises the ID3v1 and ID3v2 tags of MP3 files through the tag
// library. It keeps no state: every operation loads the library, does its work and unloads it
// before returning. Operations without "Loaded" in their name catch every failure, show its
// message when showErrors is true, and answer what they have (a read) or false (a write). The
// Loaded operations work on a library and handles that the caller holds.
class ID3 {
  public:
    virtual ~ID3() = default;

    virtual TagFields ReadId3v1(const QString& path, bool showErrors);
    virtual TagFields ReadId3v1Loaded(TDll& library, TagHandle handle);
    virtual bool WriteId3v1(const QString& path, const TagFields& fields, bool showErrors);
    virtual bool WriteId3v1Loaded(const QString& path, const TagFields& fields, TDll& library,
                                  TagHandle handle);

    virtual TagFields ReadId3v2(const QString& path, bool showErrors);
    virtual TagFields ReadId3v2Loaded(TDll& library, TagHandle handle);
    // fields holds eight entries: the seven texts and the path of a picture to attach.
    virtual bool WriteId3v2(const QString& path, const TagFields& fields, bool showErrors);
    // Writes the fields of the mask only: every other frame keeps its text as stored ("A5" stays
    // "A5", where a read gives the track as 5).
    virtual bool WriteId3v2Fields(const QString& path, const TagFields& fields,
                                  const FieldMask& only, bool showErrors);
    // Writes the fields and, in the same save, removes every picture of the given types, then
    // attaches the picture file of fields[kPicture] (if any) as the front cover.
    virtual bool WriteId3v2AndPictures(const QString& path, const TagFields& fields,
                                       const std::set<int>& removedPictureTypes, bool showErrors);
    virtual bool WriteId3v2Loaded(const QString& path, const TagFields& fields, TDll& library,
                                  TagHandle handle);

    // Take that tag off the file, leaving the audio and the other tag as they are. True when the
    // file holds no such tag afterwards (also when it had none).
    virtual bool RemoveId3v1(const QString& path, bool showErrors);
    virtual bool RemoveId3v2(const QString& path, bool showErrors);
    // Give the file an empty tag of that version (1 or 2) when it has none. True when the file
    // holds such a tag afterwards.
    virtual bool CreateEmptyTag(const QString& path, int version, bool showErrors);

    // The pictures of the ID3v2 tag, in tag order.
    virtual std::vector<TagPicture> ReadPictures(const QString& path, bool showErrors);
    // Removes every picture of that type from the ID3v2 tag.
    virtual bool RemovePictures(const QString& path, int type, bool showErrors);
    // The audio properties and tag places; nothing for a file that is no MP3 (said when showErrors
    // only if the library failed).
    virtual std::optional<AudioFacts> ReadAudioFacts(const QString& path, bool showErrors);

    // Both tags as raw bytes; nothing for a file that is no MP3 (said when showErrors only if the
    // library failed).
    virtual std::optional<TagRegions> ReadTagRegions(const QString& path, bool showErrors);
    // Both tags as read and, where `wantsRegions` asks for them given those texts, both tags'
    // bytes, in one load of the library: a run plans its change of a file and keeps its old tags
    // with one read. Nothing when a read failed.
    struct TagsAndRegions {
        TagFields id3v1;
        TagFields id3v2;
        std::optional<TagRegions> regions;
    };
    using WantsRegions = std::function<bool(const TagFields& id3v1, const TagFields& id3v2)>;
    virtual std::optional<TagsAndRegions>
    ReadTagsAndRegions(const QString& path, const WantsRegions& wantsRegions, bool showErrors);
    // Puts both tags back byte for byte in place of the file's own, audio untouched.
    virtual bool WriteTagRegions(const QString& path, const TagRegions& regions, bool showErrors);
    // Whether a save of the chosen tags would be taken, asked by saving them unchanged: refused
    // exactly where a real save would be (no MP3, a damaged tag, a file or disk that cannot be
    // written), and writing nothing. For dry runs.
    virtual bool CheckSavable(const QString& path, bool id3v1, bool id3v2, bool showErrors);
    // How a change of the ID3v2 version treats frames the new version cannot hold.
    enum class Unconverted { Refuse = 0, Drop = 1, CheckOnly = 2 };
    // Saves the file's ID3v2 tag in version 3 or 4, every frame it can hold kept; a file without
    // an ID3v2 tag is left alone.
    virtual bool ConvertId3v2(const QString& path, int version, Unconverted unconverted,
                              bool showErrors);

    virtual bool CopyV1ToV2(const QString& path, bool showErrors);
    virtual bool CopyV1ToV2Loaded(const QString& path, TDll& library, TagHandle v1, TagHandle v2);
    virtual bool CopyV2ToV1(const QString& path, bool showErrors);
    virtual bool CopyV2ToV1Loaded(const QString& path, TDll& library, TagHandle v1, TagHandle v2);

    // Merges both tags field by field and writes the result into both, ID3v1 first. Where both
    // tags hold text, ID3v2 wins when preferredVersion is 2, ID3v1 otherwise. `left`, when
    // given, receives what the sync left, read in the load that wrote it: both tags' bytes, and
    // with `fields` their texts too (each nothing where it could not be read).
    struct SyncLeft {
        bool fields = false;
        std::optional<TagRegions> regions;
        std::optional<TagFields> id3v1;
        std::optional<TagFields> id3v2;
    };
    virtual bool SyncTags(const QString& path, int8_t preferredVersion, bool showErrors,
                          SyncLeft* left = nullptr);
    virtual bool SyncTagsLoaded(const QString& path, TDll& library, TagHandle v1, TagHandle v2,
                                int8_t preferredVersion);
};

} // namespace tagaccess
