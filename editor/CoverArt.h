#pragma once

#include "tagaccess/ID3.h"

#include <QByteArray>
#include <QString>
#include <set>
#include <vector>

namespace platform {
class PictureBox;
}

namespace editor {

// The picture box of the editor: the ID3v2 tag's front cover, else the first of its pictures that
// decodes; and the change to them that the next save makes: a picture to store as the front
// cover, pictures removed.
class CoverArt {
  public:
    explicit CoverArt(platform::PictureBox* box);

    // Shows a stored picture of the file's ID3v2 tag, or empties the box (ID3v1 shown, no picture
    // that decodes); forgets any change not saved.
    void Show(tagaccess::ID3& id3, const QString& path, int8_t tagVersion);
    void Clear();

    // Shows a JPEG or PNG file in the box; its bytes as read now are what the next save stores.
    // Why not, with the box unchanged, when it cannot be (empty when it was taken).
    QString Choose(const QString& pictureFile);

    // What Delete removes: the type of the shown picture, else of the first stored picture that
    // does not decode (-1 for none), and how many pictures of that type the tag holds.
    std::pair<int, int> DeleteTarget() const;
    // Empties the box; the next save removes the pictures of DeleteTarget's type, and stores no
    // chosen picture.
    void Delete();

    // The picture to store as the front cover at the next save, or nothing.
    const QByteArray& ChosenPicture() const { return chosen_; }
    // The picture types the next save removes.
    const std::set<int>& DeletedTypes() const { return deleted_; }
    bool HasChange() const { return !chosen_.isEmpty() || !deleted_.empty(); }

    // After a save of the change: why the file's tag does not hold what it should (the chosen
    // picture as its front cover, no picture of a removed type), or empty.
    QString SaveProblem(tagaccess::ID3& id3, const QString& path) const;

  private:
    platform::PictureBox* box_;
    std::vector<tagaccess::TagPicture> stored_;
    // Whether each stored picture up to the one shown decodes, as Show found.
    std::vector<bool> decodes_;
    // The type of the picture shown from the tag, -1 when none.
    int shownType_ = -1;
    QByteArray chosen_;
    std::set<int> deleted_;
};

// "front cover", "back cover"... for an ID3v2 picture type.
QString PictureTypeName(int type);

} // namespace editor
