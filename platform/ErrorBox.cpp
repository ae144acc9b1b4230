#include "ErrorBox.h"

#include "Exception.h"

#include <QMessageBox>

namespace platform {
namespace {

ErrorHandler& CurrentHandler() {
    static ErrorHandler handler;
    return handler;
}

} // namespace

void ShowErrorText(const QString& text) {
    if (const ErrorHandler& handler = CurrentHandler()) {
        handler(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kivuna"), text, QMessageBox::Ok);
    box.exec();
}

void ShowException(const std::exception& failure) {
    const auto* own = dynamic_cast<const Exception*>(&failure);
    ShowErrorText(own != nullptr ? own->Message() : QString::fromUtf8(failure.what()));
}

ErrorHandler SetErrorHandler(ErrorHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

} // namespace platform
