#include "RunDialog.h"

#include "DialogParts.h"
#include "TForm2.h"
#include "platform/MessageBox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

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

void RunDialog::ShowUndoTarget(const QStringList& commands) {
    undoTarget_ = tagjobs::FindUndoTarget(commands);
    SetNote(undoNote_, undoTarget_ ? undoTarget_->Describe() : QString());
    undoNote_->setStyleSheet(undoTarget_ && undoTarget_->unfinished
                                 ? QStringLiteral("color: #c00000; font-weight: bold;")
                                 : QString());
    undo_->setEnabled(undoTarget_.has_value() && !busy_);
}

void RunDialog::ShowUndoEnd(QLabel* summary, const tagjobs::UndoResult& result) {
    const QString text = tagjobs::UndoSummary(result);
    SetNote(summary, text);
    if (!result.failures.empty() || !result.markError.isEmpty())
        platform::ShowMessage(text);
}

} // namespace organizer
