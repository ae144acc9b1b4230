#pragma once

#include <QDialog>

class QCloseEvent;

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

    TForm2& form_;
    bool busy_ = false;
};

} // namespace organizer
