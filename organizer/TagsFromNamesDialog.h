#pragma once

#include "RunDialog.h"
#include "tagjobs/TagsFromNames.h"

#include <QTimer>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace organizer {

// "Tags from file names...": a pattern read against each file's name, a preview of the fields it
// finds per file, the tags to write, and after the run each file's result. Nothing is written
// until the user presses "Write tags"; "Undo" writes the old texts back.
class TagsFromNamesDialog : public RunDialog {
    Q_OBJECT

  public:
    TagsFromNamesDialog(TForm2& form, std::vector<batch::MoveSource> files);
    ~TagsFromNamesDialog() override;

  private:
    void BuildLayout();
    void Preview();
    void Run();
    void Undo();
    void SetBusy(bool busy);

    std::vector<batch::MoveSource> files_;
    std::vector<tagjobs::NameReading> readings_;
    std::optional<naming::NamePattern> pattern_;
    QTimer previewTimer_;

    QLineEdit* patternEdit_ = nullptr;
    QCheckBox* v1_ = nullptr;
    QCheckBox* v2_ = nullptr;
    QLabel* problem_ = nullptr;
    QTreeWidget* preview_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace organizer
