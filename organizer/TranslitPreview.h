#pragma once

#include "tagjobs/FileTagChange.h"

#include <QTreeWidget>
#include <vector>

namespace organizer {

// A file of the command with its tags as read for the preview.
using PreviewFile = tagjobs::FileTags;

// The old and new text of every field the command changes, file by file, before anything is
// written: one row per changed field with the file's name, the tag, the field and both texts.
class TranslitPreview : public QTreeWidget {
    Q_OBJECT

  public:
    explicit TranslitPreview(QWidget* parent = nullptr);

    // Shows the changes in the chosen versions; answers how many files change.
    int Show(const std::vector<PreviewFile>& files, tagjobs::ChosenTags versions,
             const tagjobs::FieldsChange& change);
};

} // namespace organizer
