#pragma once

#include "tagjobs/TagEdits.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace organizer {

// The seven fields of a multiple edit, each with its "change" box: only checked fields are
// written. Typing into a field checks its box. Track takes a whole number, or "auto-number".
class MultipleEditFields : public QWidget {
    Q_OBJECT

  public:
    explicit MultipleEditFields(QWidget* parent = nullptr);

    tagjobs::FieldEdit Edit() const;
    // At least one field is checked and a checked track is a whole number (or empty).
    bool Acceptable() const;

  signals:
    void Changed();

  private:
    std::array<QCheckBox*, tagaccess::kTagFieldCount> change_{};
    std::array<QLineEdit*, tagaccess::kTagFieldCount> edits_{};
    QComboBox* genre_ = nullptr;
    QCheckBox* autoNumber_ = nullptr;
};

} // namespace organizer
