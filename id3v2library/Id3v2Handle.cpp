#include "Id3v2Handle.h"

#include "FileDescriptor.h"
#include "Id3v23Downgrade.h"
#include "Id3v2RawTag.h"
#include "MpegAudio.h"
#include "MpegFile.h"
#include "SaveLock.h"
#include "SystemError.h"
#include "TagPlacement.h"
#include "VersionChange.h"

namespace kivuna::tags {
namespace {

std::string_view View(const TagLib::ByteVector& bytes) {
    return {bytes.data(), bytes.size()};
}

// The interface's name for the year, whichever of the two IDs the caller used.
std::string Canonical(const std::string& frameId) {
    return frameId == "TDRC" ? std::string("TYER") : frameId;
}

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool NothingToApply(const Id3v2Changes& changes) {
    return changes.texts.empty() && !changes.comment && !changes.picture &&
           changes.removedPictureTypes.empty() && !changes.version;
}

} // namespace

Id3v2Handle::FileFacts Id3v2Handle::FileFacts::Of(const struct stat& status,
                                                  TagLib::MPEG::File& file) {
    return {status.st_dev,
            status.st_ino,
            status.st_size,
            status.st_mtim,
            status.st_ctim,
            file.hasID3v2Tag(),
            file.hasID3v2Tag() ? file.ID3v2Tag()->header()->completeTagSize() : 0};
}

bool Id3v2Handle::FileFacts::SameFile(const struct stat& status) const {
    return status.st_dev == device && status.st_ino == inode && status.st_size == size &&
           SameTime(status.st_mtim, modified) && SameTime(status.st_ctim, changed);
}

void Id3v2Handle::Forget() {
    loaded_ = false;
    read_ = {};
    changes_ = {};
    loadedFile_.reset();
    loadedReading_.reset();
}

bool Id3v2Handle::Load(const char* fileName) {
    Forget();
    const FileForLoad loaded = OpenForLoad(fileName);
    SetLastError(loaded.unfinished ? kUnfinishedRewrite : 0);
    auto file = loaded.mp3 ? OpenMpegFile(loaded.file) : nullptr;
    if (file)
        loadedFile_ = FileFacts::Of(loaded.file.Status(), *file);
    if (!file || !file->hasID3v2Tag())
        return false;
    read_ = Id3v2Values::Read(*file->ID3v2Tag());
    loaded_ = true;
    if (ReadFromMemory(*file))
        loadedReading_ = std::move(file);
    return true;
}

bool Id3v2Handle::Save(const char* fileName) const {
    SaveLock lock(fileName);
    if (!lock.HeldOnMpegAudio())
        return false;
    const FileDescriptor& writable = lock.File();
    // With nothing to change, only the answer is wanted: while the file is the one loaded, what
    // TagLib read of it then still holds, and parsing it again (most of a save's time) is spared.
    const bool nothingToApply = NothingToApply(changes_);
    std::unique_ptr<TagLib::MPEG::File> file;
    FileFacts facts;
    if (nothingToApply && loadedFile_ && loadedFile_->SameFile(writable.Status())) {
        facts = *loadedFile_;
    } else {
        file = OpenMpegFile(writable, std::move(loadedReading_));
        if (!file)
            return false;
        facts = FileFacts::Of(writable.Status(), *file);
    }

    // Only a tag at the very front is ours to rewrite; TagLib also finds one behind junk bytes.
    std::string oldTag(Id3v2Header::kSize, '\0');
    if (!writable.ReadAt(0, oldTag.data(), oldTag.size()))
        oldTag.clear();
    const auto header = ParseId3v2Header(oldTag);
    if (header.has_value() != facts.hasTag)
        return false;
    oldTag.clear();
    if (header) {
        oldTag.resize(header->completeSize);
        // TagLib 1.13 stops at the first frame it cannot read and would save the tag without the
        // rest; such a tag is left as it is.
        if (!writable.ReadAt(0, oldTag.data(), oldTag.size()) || IsDamagedId3v2Tag(oldTag) ||
            facts.tagSize != header->completeSize)
            return false;
    }
    if (nothingToApply)
        return true;

    TagLib::ID3v2::Tag& tag = *file->ID3v2Tag(true);
    const bool keepsV24 = header && header->majorVersion == 4;
    const int32_t major = changes_.version.value_or(keepsV24 ? 4 : 3);
    const auto version = major == 4 ? TagLib::ID3v2::v4 : TagLib::ID3v2::v3;
    // Only a tag there is changes its version.
    const bool converts = header && header->majorVersion != major && changes_.version;
    if (!ApplyId3v2Changes(changes_, tag, version) && !converts)
        return true;
    const std::set<std::string> before = converts ? FrameIds(tag) : std::set<std::string>();
    if (version == TagLib::ID3v2::v3)
        PrepareForId3v23(tag, header && header->majorVersion == 3);
    // A tag left without frames leaves the file.
    const TagLib::ByteVector newTag = tag.isEmpty() ? TagLib::ByteVector() : tag.render(version);
    unconverted_.clear();
    if (converts && !changes_.dropUnconverted) {
        unconverted_ = FramesWithoutEquivalent(before, newTag);
        if (!unconverted_.empty())
            return KeepSystemError(kUnconvertedFrames);
    }
    if (View(newTag) == oldTag || changes_.checkOnly)
        return true;
    return ReplaceFileFront(lock, static_cast<off_t>(oldTag.size()), View(newTag));
}

bool Id3v2Handle::Remove(const char* fileName) {
    SaveLock lock(fileName);
    if (!lock.HeldOnMpegAudio())
        return false;
    // A damaged tag goes as a whole too: nothing of it is kept, so TagLib's reading does not
    // matter.
    std::string front(Id3v2Header::kSize, '\0');
    const bool read = lock.File().ReadAt(0, front.data(), front.size());
    const auto header = read ? ParseId3v2Header(front) : std::nullopt;
    if (header && !ReplaceFileFront(lock, static_cast<off_t>(header->completeSize), {}))
        return false;
    Forget();
    return true;
}

bool Id3v2Handle::CreateEmpty(const char* fileName) {
    SaveLock lock(fileName);
    if (!lock.HeldOnMpegAudio())
        return false;
    std::string front(Id3v2Header::kSize, '\0');
    if (lock.File().ReadAt(0, front.data(), front.size()) && ParseId3v2Header(front))
        return true;
    // The padding TagLib gives a new tag, so the first fields fit without moving the audio.
    constexpr uint32_t kPadding = 1024;
    std::string tag("ID3\x03\0\0", 6);
    for (const int shift : {21, 14, 7, 0})
        tag += static_cast<char>((kPadding >> shift) & 0x7F);
    tag.append(kPadding, '\0');
    return ReplaceFileFront(lock, 0, tag);
}

std::vector<const Id3v2StoredPicture*> Id3v2Handle::KeptPictures() const {
    std::vector<const Id3v2StoredPicture*> kept;
    for (const auto& picture : read_.pictures) {
        if (!changes_.removedPictureTypes.contains(picture.type))
            kept.push_back(&picture);
    }
    return kept;
}

const Id3v2StoredPicture* Id3v2Handle::Picture(int32_t index) const {
    const auto kept = KeptPictures();
    return index >= 0 && static_cast<size_t>(index) < kept.size() ? kept[static_cast<size_t>(index)]
                                                                  : nullptr;
}

int32_t Id3v2Handle::PictureCount() const {
    return static_cast<int32_t>(KeptPictures().size());
}

void Id3v2Handle::RemovePictures(int32_t type) {
    if (type >= 0 && type <= 20)
        changes_.removedPictureTypes.insert(type);
}

bool Id3v2Handle::LoadFileInfo(const char* fileName) {
    fileInfo_ = ReadFileInfo(fileName);
    return fileInfo_.has_value();
}

int32_t Id3v2Handle::FileInfoValue(const char* name) const {
    if (!fileInfo_ || name == nullptr)
        return 0;
    return fileInfo_->Get(name).value_or(0);
}

bool Id3v2Handle::LoadRegions(const char* fileName) {
    bool unfinished = false;
    regions_ = ReadTagRegions(fileName, &unfinished);
    SetLastError(unfinished ? kUnfinishedRewrite : 0);
    return regions_.has_value();
}

const std::string& Id3v2Handle::Region(int32_t which) const {
    // Regions run to megabytes: asking for one's size copies nothing.
    static const std::string none;
    if (!regions_)
        return none;
    return which == 1 ? regions_->id3v1 : which == 2 ? regions_->id3v2 : none;
}

bool Id3v2Handle::PutRegions(const char* fileName, std::string_view id3v2, std::string_view id3v1) {
    SaveLock lock(fileName);
    if (!PutTagRegions(lock, id3v2, id3v1))
        return false;
    Forget();
    return true;
}

std::string Id3v2Handle::Text(const std::string& frameId) const {
    const auto it = changes_.texts.find(Canonical(frameId));
    return it != changes_.texts.end() ? it->second : read_.Text(frameId);
}

std::string Id3v2Handle::Comment() const {
    return changes_.comment.value_or(read_.comment);
}

void Id3v2Handle::SetText(const std::string& frameId, const std::string& text) {
    if (!IsTextFrameId(frameId) || SameId3v2Text(frameId, text, Text(frameId)))
        return;
    const std::string id = Canonical(frameId);
    if (SameId3v2Text(id, text, read_.Text(id)))
        changes_.texts.erase(id);
    else
        changes_.texts[id] = text;
}

void Id3v2Handle::SetComment(const std::string& text) {
    if (text == Comment())
        return;
    if (text == read_.comment)
        changes_.comment.reset();
    else
        changes_.comment = text;
}

} // namespace kivuna::tags
