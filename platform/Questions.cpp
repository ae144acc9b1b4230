#include "Questions.h"

#include <QInputDialog>
#include <QMessageBox>
#include <utility>

namespace platform {
namespace {

YesNoHandler& CurrentYesNo() {
    static YesNoHandler handler;
    return handler;
}

TextHandler& CurrentText() {
    static TextHandler handler;
    return handler;
}

} // namespace

bool AskYesNo(const QString& text) {
    if (const YesNoHandler& handler = CurrentYesNo())
        return handler(text);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kivuna"), text,
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

TextAnswer AskText(QWidget* parent, const TextRequest& request) {
    if (const TextHandler& handler = CurrentText())
        return handler(request);
    bool ok = false;
    const QString text = QInputDialog::getText(parent, request.title, request.label,
                                               QLineEdit::Normal, request.initial, &ok);
    return ok ? TextAnswer(text) : std::nullopt;
}

YesNoHandler SetYesNoHandler(YesNoHandler handler) {
    return std::exchange(CurrentYesNo(), std::move(handler));
}

TextHandler SetTextHandler(TextHandler handler) {
    return std::exchange(CurrentText(), std::move(handler));
}

} // namespace platform
