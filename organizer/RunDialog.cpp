#include "RunDialog.h"

#include "TForm2.h"

#include <QCloseEvent>

namespace organizer {

RunDialog::RunDialog(TForm2& form) : QDialog(&form, Qt::Dialog), form_(form) {}

void RunDialog::reject() {
    if (busy_)
        form_.Running = 0;
    else
        QDialog::reject();
}

void RunDialog::closeEvent(QCloseEvent* event) {
    if (busy_) {
        form_.Running = 0;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace organizer
