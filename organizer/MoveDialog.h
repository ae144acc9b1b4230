#pragma once

#include "RunDialog.h"
#include "batch/MovePlan.h"

#include <QTimer>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace organizer {

class TForm2;

// "Organize Files..." and "Rename files...": a pattern, a preview of every file's old and new path
// with its state, and nothing written until the user presses the run button. The run and its undo
// go through the organizer window's progress panel, whose stop button works meanwhile; the dialog
// holds the window's other commands while it is open.
class MoveDialog : public RunDialog {
    Q_OBJECT

  public:
    enum class Kind { Organize, Rename };

    MoveDialog(TForm2& form, Kind kind, std::vector<batch::MoveSource> sources,
               const QString& destination);
    ~MoveDialog() override;

    // The preview as it stands.
    const std::vector<batch::PlannedMove>& Plan() const { return plan_; }
    // Plans every file again by the pattern and options shown; the dialog runs it a moment after
    // the last change.
    void Preview();

  private:
    void BuildLayout(const QString& destination);
    void SchedulePreview();
    void ReadComments();
    void ShowPlan();
    void Run();
    void Undo();
    void ChooseDestination();
    void SetBusy(bool busy);
    QString Command() const;

    Kind kind_;
    std::vector<batch::MoveSource> sources_;
    std::vector<batch::PlannedMove> plan_;
    // The destination the plan was made for.
    QString planDestination_;
    QTimer previewTimer_;
    bool commentsRead_ = false;

    QLineEdit* destination_ = nullptr;
    QPushButton* browse_ = nullptr;
    QLineEdit* pattern_ = nullptr;
    QRadioButton* move_ = nullptr;
    QRadioButton* copy_ = nullptr;
    QCheckBox* portable_ = nullptr;
    QLabel* problem_ = nullptr;
    QTreeWidget* preview_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace organizer
