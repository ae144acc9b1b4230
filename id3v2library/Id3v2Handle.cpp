#include "Id3v2Handle.h"

#include "FileDescriptor.h"
#include "Id3v23Downgrade.h"
#include "Id3v2RawTag.h"
#include "MpegAudio.h"
#include "MpegFile.h"
#include "SaveLock.h"
#include "TagPlacement.h"

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
    return changes.texts.empty() && !changes.comment && !changes.picture;
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

bool Id3v2Handle::Load(const char* fileName) {
    loaded_ = false;
    read_ = {};
    changes_ = {};
    loadedFile_.reset();
    FileDescriptor checked = FileDescriptor::OpenForReading(fileName);
    auto file = OpenMpegFile(checked, fileName);
    if (!file && FinishPendingRewrite(checked, fileName)) {
        checked = FileDescriptor::OpenForReading(fileName);
        file = OpenMpegFile(checked, fileName);
    }
    if (file)
        loadedFile_ = FileFacts::Of(checked.Status(), *file);
    if (!file || !file->hasID3v2Tag())
        return false;
    read_ = Id3v2Values::Read(*file->ID3v2Tag());
    loaded_ = true;
    return true;
}

bool Id3v2Handle::Save(const char* fileName) const {
    SaveLock lock(fileName);
    if (!lock.Held())
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
        file = OpenMpegFile(fileName);
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
    const auto version = keepsV24 ? TagLib::ID3v2::v4 : TagLib::ID3v2::v3;
    if (!ApplyId3v2Changes(changes_, tag, version))
        return true;
    if (version == TagLib::ID3v2::v3)
        PrepareForId3v23(tag, header && header->majorVersion == 3);
    // A tag left without frames leaves the file.
    const TagLib::ByteVector newTag = tag.isEmpty() ? TagLib::ByteVector() : tag.render(version);
    if (View(newTag) == oldTag)
        return true;
    return ReplaceFileFront(lock, static_cast<off_t>(oldTag.size()), View(newTag));
}

bool Id3v2Handle::Remove(const char* fileName) {
    SaveLock lock(fileName);
    if (!lock.Held() || !HoldsMpegAudio(lock.File()))
        return false;
    // A damaged tag goes as a whole too: nothing of it is kept, so TagLib's reading does not
    // matter.
    std::string front(Id3v2Header::kSize, '\0');
    const bool read = lock.File().ReadAt(0, front.data(), front.size());
    const auto header = read ? ParseId3v2Header(front) : std::nullopt;
    if (header && !ReplaceFileFront(lock, static_cast<off_t>(header->completeSize), {}))
        return false;
    loaded_ = false;
    read_ = {};
    changes_ = {};
    loadedFile_.reset();
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
