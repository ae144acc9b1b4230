#include "CoverArt.h"

#include "platform/PictureBox.h"

#include <QFile>
#include <QImage>

namespace editor {

CoverArt::CoverArt(platform::PictureBox* box) : box_(box) {
    // The picture keeps its proportions inside the 150 by 150 frame.
    box_->setStretch(true);
    box_->setProportional(true);
}

void CoverArt::Show(tagaccess::ID3& id3, const QString& path, int8_t tagVersion) {
    Clear();
    if (tagVersion != 2)
        return;
    const auto picture = id3.ReadPicture(path, true);
    if (!picture)
        return;
    // Picture data that does not decode shows as no picture, silently: the tag keeps it.
    const QImage image = QImage::fromData(picture->data);
    if (image.isNull())
        return;
    box_->SetPicture(image);
    shownType_ = picture->type;
}

void CoverArt::Clear() {
    box_->SetPicture(QImage());
    shownType_ = -1;
    chosenFile_.clear();
    deletedType_ = -1;
}

bool CoverArt::Choose(const QString& pictureFile) {
    QFile file(pictureFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QImage image = QImage::fromData(file.readAll());
    if (image.isNull())
        return false;
    box_->SetPicture(image);
    chosenFile_ = pictureFile;
    return true;
}

void CoverArt::Delete() {
    box_->SetPicture(QImage());
    chosenFile_.clear();
    if (shownType_ >= 0)
        deletedType_ = shownType_;
}

} // namespace editor
