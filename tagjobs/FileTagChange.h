#pragma once

#include "FileSet.h"
#include "TagEdits.h"
#include "tagaccess/ID3.h"

#include <QJsonValue>
#include <QString>
#include <optional>
#include <vector>

// One file of a tag-changing run: read both tags, keep their old texts, write the changed
// versions; and the write of old texts back.
namespace tagjobs {

// Why a file is refused when its tags read as empty only because it is no MP3 at all.
inline const QString kNoMp3 = QStringLiteral("holds no MPEG audio: not an MP3 file");

// Both tags of a file exactly as read before a run changed it.
struct FileTagsBefore {
    tagaccess::TagFields id3v1;
    tagaccess::TagFields id3v2;
};

// One field whose text a repair of garbled texts changes.
struct FieldRepair {
    // The tag (1 or 2) and the field.
    int version = 0;
    int field = 0;
    // The text as other programs show it, and what it should read.
    QString before;
    QString after;
    // How it was garbled: "Windows-1251 read as Latin-1".
    QString damage;
};

// What a run will do to one file, worked out from its tags as read; the old tags go to the undo
// journal before it is carried out.
struct FilePlan {
    // Why the file is left alone (it is gone, its tags could not be read, its name does not fit
    // the pattern); empty when the plan may be carried out.
    QString refusal;
    FileTagsBefore before;
    // The fields to write, as their tags store them.
    FileTagsBefore after;
    bool writeId3v1 = false;
    bool writeId3v2 = false;
    bool removeId3v1 = false;
    bool removeId3v2 = false;
    // Why the new texts were not written into the ID3v1 tag (a text no ID3v1 record can hold
    // whole), which stays as it was; empty when nothing was held back.
    QString id3v1Refusal;
    // An emptied tag that must stay in the file as a tag without text.
    bool keepId3v1 = false;
    bool keepId3v2 = false;
    // Pictures: every one of this type taken off (-1: none), then this picture file attached as
    // the front cover (empty: none).
    int removedPictureType = -1;
    QString addedPicture;
    // The ID3v2 version (3 or 4) the tag is saved in; 0 to keep it.
    int convertTo = 0;
    // Both tags merged and written into both, that version's text winning where both hold one
    // (1 or 2); 0 for no sync. The merge is made again from the tags as the save finds them.
    int8_t syncPreferring = 0;
    // The file is passed over, which is no failure (a sync of a file without tag text).
    bool leftAlone = false;
    // Both tags' bytes, when they were read with the plan: kept for undo without another read.
    std::optional<tagaccess::TagRegions> regions;
    // The fields a repair of garbled texts changes, for the preview.
    std::vector<FieldRepair> repairs;

    bool TouchesFile() const {
        return writeId3v1 || writeId3v2 || removeId3v1 || removeId3v2 || removedPictureType >= 0 ||
               !addedPicture.isEmpty() || convertTo != 0 || syncPreferring != 0;
    }
};

// A file with both its tags as read.
struct FileTags {
    QString path;
    FileTagsBefore tags;
};

// Reads both tags of every file of the set, for a preview; a file whose tags cannot be read
// fails and is left out.
std::vector<FileTags> ReadTagsOf(tagaccess::ID3& id3, const FileSet& files, RunObserver& observer,
                                 RunCount* count = nullptr);

// The tag of that version (1 or 2) as read; nothing, with `failure` set to what the tag library
// said, when the read failed.
std::optional<tagaccess::TagFields> ReadTag(tagaccess::ID3& id3, const QString& path, int version,
                                            QString* failure = nullptr);

// Why a file's tags could not be read, from what the tag library said: first whether it is gone.
QString UnreadReason(const QString& path, const QString& said);

// Both tags as read; nothing, with `failure` set to what the tag library said, when a read
// failed: a file whose tags cannot be read is never written.
std::optional<FileTagsBefore> ReadBothTags(tagaccess::ID3& id3, const QString& path,
                                           QString* failure = nullptr);

// The new fields of the chosen versions, the others' as they are, each as its tag stores them.
// An ID3v1 tag whose new texts no record holds whole keeps its fields, and `id3v1Refusal` says
// why.
FileTagsBefore ChangedTags(const FileTagsBefore& before, ChosenTags versions, int position,
                           const FieldsChange& change, QString* id3v1Refusal = nullptr);

// Writes the changed versions only; a file whose fields all stay is not touched.
FilePlan PlanChange(tagaccess::ID3& id3, const QString& path, ChosenTags versions, int position,
                    const FieldsChange& change);

// Empties the seven fields of the chosen versions; a tag that was there stays there, emptied.
FilePlan PlanClear(tagaccess::ID3& id3, const QString& path, ChosenTags versions);

// Takes the chosen tags off the file. A tag that holds no field (an ID3v2 tag of pictures only)
// reads as empty but is removed all the same, so every existing file is touched.
FilePlan PlanRemoval(tagaccess::ID3& id3, const QString& path, ChosenTags versions);

// Takes the pictures of that type off the ID3v2 tag (a type the file lacks leaves it untouched),
// then attaches the picture file as the front cover when one is given.
FilePlan PlanPictures(tagaccess::ID3& id3, const QString& path, int removedType,
                      const QString& addedPicture);

// Saves the ID3v2 tag in that version (3 or 4), when it has another; a tag holding frames that
// version cannot hold fails, named, and stays as it was.
FilePlan PlanConversion(tagaccess::ID3& id3, const QString& path, int version);

// Carries a plan out; the audio stays as it is. `left` receives both tags' bytes as the change
// left them (nothing where they could not be read); for a sync, `synced` receives what it left
// (its texts too, when it asks for them).
FileOutcome CarryOut(tagaccess::ID3& id3, const QString& path, const FilePlan& plan,
                     std::optional<tagaccess::TagRegions>& left,
                     tagaccess::ID3::SyncLeft* synced = nullptr);

// A file's kept tags; a version the record does not hold is not restored.
struct KeptTags {
    QString path;
    std::optional<tagaccess::TagFields> id3v1;
    std::optional<tagaccess::TagFields> id3v2;
    // Where the journal holds both tags byte for byte, its names for them (KeptRegions.h); null
    // otherwise.
    QJsonValue regions;
    // The digest of the regions the run left; empty when the run did not record it (it died
    // first, or could not read them).
    QString after;
};

// Gives a file its kept tags back: byte for byte where they were kept whole and the file still
// holds the tags the run left (or the run died before it could say which); otherwise, its tags
// having changed since, the kept texts of each version, where the tag no longer holds them, and
// `textsOnly` is set. A file that holds its kept tags already is passed over (not done, no
// failure).
FileOutcome RestoreFileTags(tagaccess::ID3& id3, const KeptTags& kept,
                            const std::optional<tagaccess::TagRegions>& whole,
                            bool* textsOnly = nullptr);

// Writes the texts into the tag of that version (1 or 2) as that version stores them: an ID3v1
// record whole, an ID3v2 tag only the fields that differ from `now` (its texts as read), so that
// every other frame keeps its bytes; it is given no picture, so it keeps its own. Failures go to
// the message seam when `showErrors` is true.
bool WriteTagVersion(tagaccess::ID3& id3, const QString& path, int version,
                     const tagaccess::TagFields& fields, const tagaccess::TagFields& now,
                     bool showErrors);

} // namespace tagjobs
