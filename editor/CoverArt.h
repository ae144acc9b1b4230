#pragma once

#include "tagaccess/ID3.h"

#include <QString>

namespace platform {
class PictureBox;
}

namespace editor {

// The picture box of the editor: the ID3v2 tag's front cover (else its first picture), and the
// change to it that the next save makes: a picture file to attach, or the shown picture removed.
class CoverArt {
  public:
    explicit CoverArt(platform::PictureBox* box);

    // Shows the stored picture of the file's ID3v2 tag, or empties the box (ID3v1 shown, no
    // picture, data that does not decode); forgets any change not saved.
    void Show(tagaccess::ID3& id3, const QString& path, int8_t tagVersion);
    void Clear();

    // Shows a JPEG or PNG file in the box, to be attached by the next save. False (box unchanged)
    // when the file is no picture Qt can decode.
    bool Choose(const QString& pictureFile);
    // Empties the box; the next save removes the picture that was shown.
    void Delete();

    // A picture file to attach at the next save, or the empty text.
    const QString& ChosenFile() const { return chosenFile_; }
    // The picture type the next save removes, or -1.
    int DeletedType() const { return deletedType_; }
    bool HasChange() const { return !chosenFile_.isEmpty() || deletedType_ >= 0; }

  private:
    platform::PictureBox* box_;
    // The type of the picture shown from the tag, -1 when none.
    int shownType_ = -1;
    QString chosenFile_;
    int deletedType_ = -1;
};

} // namespace editor
