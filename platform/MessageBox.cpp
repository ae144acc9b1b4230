#include "MessageBox.h"

#include <QMessageBox>
#include <utility>

namespace platform {
namespace {

MessageHandler& CurrentHandler() {
    static MessageHandler handler;
    return handler;
}

void ShowMessageBox(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kivuna"), text, QMessageBox::Ok);
    box.exec();
}

} // namespace

void ShowMessage(const QString& text) {
    if (const MessageHandler& handler = CurrentHandler())
        handler(text);
    else
        ShowMessageBox(text);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

} // namespace platform
