#pragma once

#include "tagjobs/TagEdits.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace organizer {

// The seven fields of a multiple edit, each with its "change" box: only checked fields are
// written. Typing into a field checks its box. Track takes a whole number or n/total, or
// "auto-number"; a note under the fields says what ID3v1 cannot keep of it.
class MultipleEditFields : public QWidget {
    Q_OBJECT

  public:
    explicit MultipleEditFields(QWidget* parent = nullptr);

    tagjobs::FieldEdit Edit() const;
    // At least one field is checked and a checked track is a whole number, n/total or empty.
    bool Acceptable() const;
    // How many files the edit numbers, for the note on tracks ID3v1 cannot keep.
    void SetFileCount(int files);
    // Why the track cannot be taken, or what ID3v1 will not keep of it; empty when all is kept.
    QString TrackNote() const;

  signals:
    void Changed();

  private:
    std::array<QCheckBox*, tagaccess::kTagFieldCount> change_{};
    std::array<QLineEdit*, tagaccess::kTagFieldCount> edits_{};
    QComboBox* genre_ = nullptr;
    QCheckBox* autoNumber_ = nullptr;
    QLabel* note_ = nullptr;
    int files_ = 0;
};

} // namespace organizer
