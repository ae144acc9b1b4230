#include "MessageBox.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {

MessageHandler& CurrentHandler() {
    static MessageHandler handler;
    return handler;
}

void PrintMessage(const QString& text) {
    std::fprintf(stderr, "Kivuna: %s\n", text.toUtf8().constData());
}

MessageHandler& Presenter() {
    static MessageHandler presenter = PrintMessage;
    return presenter;
}

} // namespace

void ShowMessage(const QString& text) {
    if (const MessageHandler& handler = CurrentHandler())
        handler(text);
    else
        Presenter()(text);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

void SetMessagePresenter(MessageHandler presenter) {
    Presenter() = presenter ? std::move(presenter) : MessageHandler(PrintMessage);
}

} // namespace platform
