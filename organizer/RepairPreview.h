#pragma once

#include "tagjobs/EncodingRepair.h"

#include <QTreeWidget>
#include <set>
#include <vector>

namespace organizer {

// A file of the repair with every field of both tags that reads garbled, as read for the preview.
struct RepairFile {
    QString path;
    std::vector<tagjobs::FieldRepair> repairs;
};

// The garbled texts of the files and what they should read, before anything is written: one row
// per field (file, tag, field, old text, new text, how it was garbled). A file's first row
// carries its check box, which stands for all its rows: only checked files are repaired.
class RepairPreview : public QTreeWidget {
    Q_OBJECT

  public:
    explicit RepairPreview(QWidget* parent = nullptr);

    // Shows the repairs of the chosen versions; answers how many files have one. A file the user
    // unchecked stays unchecked when the versions change.
    int Show(const std::vector<RepairFile>& files, tagjobs::ChosenTags versions);
    // The shown files whose box is checked, in the list's order.
    std::vector<QString> CheckedFiles() const;

  signals:
    void CheckedChanged();

  private:
    void FileToggled(QTreeWidgetItem* item);

    std::set<QString> unchecked_;
    bool filling_ = false;
};

} // namespace organizer
