#pragma once

#include "tagjobs/Undo.h"

#include <QDialog>
#include <optional>

class QCloseEvent;
class QLabel;
class QPushButton;

namespace organizer {

class TForm2;

// A dialog whose run goes through the organizer window's progress panel: Escape or the close box
// during a run stops the run, and the dialog stays until the run has ended.
class RunDialog : public QDialog {
    Q_OBJECT

  public:
    explicit RunDialog(TForm2& form);

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

    // Finds the run of the commands that the undo button takes back (made here or in the shell)
    // and shows it in the undo note.
    void ShowUndoTarget(const QStringList& commands);
    // The undo's summary in the note, and in a box as well when files were left.
    static void ShowUndoEnd(QLabel* summary, const tagjobs::UndoResult& result);

    TForm2& form_;
    bool busy_ = false;
    std::optional<tagjobs::UndoTarget> undoTarget_;
    QLabel* undoNote_ = nullptr;
    QPushButton* undo_ = nullptr;
};

} // namespace organizer
