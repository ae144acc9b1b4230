#pragma once

#include "tagjobs/TagEdits.h"

#include <QDialog>
#include <optional>

class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QVBoxLayout;

namespace organizer {

using tagjobs::ChosenTags;

// The confirmation every list command asks before it writes: what it will do to how many files,
// the tag versions to work on (when the command has a choice) and, for some commands, a body of
// their own (the fields to set, a preview). Nothing is written unless the user accepts.
class TagCommandDialog : public QDialog {
    Q_OBJECT

  public:
    TagCommandDialog(QWidget* parent, const QString& title, const QString& message,
                     std::optional<ChosenTags> versions, const QString& acceptCaption);

    // Puts the command's own controls between the message and the buttons; the dialog owns them.
    void SetBody(QWidget* body);
    void SetMessage(const QString& message);
    // Whether the accept button is enabled.
    void SetAcceptable(bool acceptable);
    ChosenTags Versions() const;

  signals:
    void VersionsChanged(tagjobs::ChosenTags versions);

  private:
    QLabel* message_ = nullptr;
    QVBoxLayout* layout_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QRadioButton* id3v1_ = nullptr;
    QRadioButton* id3v2_ = nullptr;
    QRadioButton* both_ = nullptr;
};

} // namespace organizer
