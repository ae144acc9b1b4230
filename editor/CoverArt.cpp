#include "CoverArt.h"

#include "platform/PictureBox.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <algorithm>

namespace editor {
namespace {

bool IsJpegOrPng(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xD8\xFF") || bytes.startsWith("\x89PNG\r\n\x1A\n");
}

} // namespace

CoverArt::CoverArt(platform::PictureBox* box) : box_(box) {
    // The picture keeps its proportions inside the 150 by 150 frame.
    box_->setStretch(true);
    box_->setProportional(true);
}

void CoverArt::Show(tagaccess::ID3& id3, const QString& path, int8_t tagVersion) {
    Clear();
    if (tagVersion != 2)
        return;
    stored_ = id3.ReadPictures(path, true);
    // Front covers first, the others in tag order; a picture that does not decode is passed over
    // (the tag keeps it) so that it does not hide a good one.
    std::stable_partition(stored_.begin(), stored_.end(), [](const tagaccess::TagPicture& p) {
        return p.type == tagaccess::kFrontCover;
    });
    for (const tagaccess::TagPicture& picture : stored_) {
        const QImage image = QImage::fromData(picture.data);
        decodes_.push_back(!image.isNull());
        if (!image.isNull()) {
            box_->SetPicture(image);
            shownType_ = picture.type;
            return;
        }
    }
}

void CoverArt::Clear() {
    box_->SetPicture(QImage());
    stored_.clear();
    decodes_.clear();
    shownType_ = -1;
    chosen_.clear();
    deleted_.clear();
}

QString CoverArt::Choose(const QString& pictureFile) {
    const QString name = QFileInfo(pictureFile).fileName();
    QFile file(pictureFile);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("\"%1\" cannot be read: %2.").arg(name, file.errorString());
    if (file.size() > tagaccess::kLargestPicture)
        return QStringLiteral("\"%1\" is larger than %2 MB, the most a tag takes.")
            .arg(name)
            .arg(tagaccess::kLargestPicture / (1024 * 1024));
    const QByteArray bytes = file.readAll();
    // Told by its bytes, not its name: a GIF named .jpg is still no JPEG.
    const QImage image = IsJpegOrPng(bytes) ? QImage::fromData(bytes) : QImage();
    if (image.isNull())
        return QStringLiteral("\"%1\" is not a JPEG or PNG picture.").arg(name);
    box_->SetPicture(image);
    chosen_ = bytes;
    return QString();
}

std::pair<int, int> CoverArt::DeleteTarget() const {
    int type = shownType_;
    for (size_t i = 0; type < 0 && i < stored_.size(); ++i) {
        // Those after the one shown were never decoded.
        const bool decodes =
            i < decodes_.size() ? decodes_[i] : !QImage::fromData(stored_[i].data).isNull();
        if (!decodes && !deleted_.contains(stored_[i].type))
            type = stored_[i].type;
    }
    const auto count =
        std::count_if(stored_.begin(), stored_.end(),
                      [&](const tagaccess::TagPicture& p) { return p.type == type; });
    return {type, int(count)};
}

void CoverArt::Delete() {
    const int type = DeleteTarget().first;
    box_->SetPicture(QImage());
    chosen_.clear();
    if (type >= 0)
        deleted_.insert(type);
    shownType_ = -1;
}

QString CoverArt::SaveProblem(tagaccess::ID3& id3, const QString& path) const {
    const std::vector<tagaccess::TagPicture> now = id3.ReadPictures(path, false);
    if (!chosen_.isEmpty() &&
        std::none_of(now.begin(), now.end(), [&](const tagaccess::TagPicture& p) {
            return p.type == tagaccess::kFrontCover && p.data == chosen_;
        }))
        return QStringLiteral("The picture was not stored in the ID3v2 tag.");
    for (const tagaccess::TagPicture& picture : now) {
        const bool isNewCover = picture.type == tagaccess::kFrontCover && picture.data == chosen_;
        if (deleted_.contains(picture.type) && !isNewCover)
            return QStringLiteral("The %1 picture could not be removed from the ID3v2 tag.")
                .arg(PictureTypeName(picture.type));
    }
    return QString();
}

QString PictureTypeName(int type) {
    static const char* const kNames[] = {"other",
                                         "file icon",
                                         "other file icon",
                                         "front cover",
                                         "back cover",
                                         "leaflet page",
                                         "media",
                                         "lead artist",
                                         "artist",
                                         "conductor",
                                         "band",
                                         "composer",
                                         "lyricist",
                                         "recording location",
                                         "during recording",
                                         "during performance",
                                         "video screen capture",
                                         "bright coloured fish",
                                         "illustration",
                                         "band logo",
                                         "publisher logo"};
    return type >= 0 && type < int(std::size(kNames)) ? QString::fromLatin1(kNames[type])
                                                      : QStringLiteral("picture");
}

} // namespace editor
