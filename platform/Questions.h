#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Questions put to the user: a yes/no confirmation and a line of text. Like the message box, each
// goes through one seam that tests can answer.
namespace platform {

// True when the user answers "Yes"; the default button is "No".
bool AskYesNo(const QString& text);

struct TextRequest {
    QString title;
    QString label;
    QString initial;
};

// The text entered, or nothing when the user cancelled.
using TextAnswer = std::optional<QString>;
TextAnswer AskText(QWidget* parent, const TextRequest& request);

using YesNoHandler = std::function<bool(const QString& text)>;
using TextHandler = std::function<TextAnswer(const TextRequest& request)>;

// Route the questions to handlers (empty: the real dialogs); answer the previous ones.
YesNoHandler SetYesNoHandler(YesNoHandler handler);
TextHandler SetTextHandler(TextHandler handler);

} // namespace platform
