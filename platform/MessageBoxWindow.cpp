#include "MessageBoxWindow.h"

#include "MessageBox.h"

#include <QMessageBox>

namespace platform {

void UseMessageBoxWindow() {
    SetMessagePresenter([](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kivuna"), text, QMessageBox::Ok);
        box.exec();
    });
}

} // namespace platform
