#pragma once

#include <QString>
#include <functional>

// The plain message box: one OK button, the application's title as caption. Every box the
// program shows goes through ShowMessage, so a test can answer it and read its text.
namespace platform {

using MessageHandler = std::function<void(const QString& text)>;

// Shows the text and waits until the user has answered.
void ShowMessage(const QString& text);

// Routes ShowMessage to the given handler (an empty one restores the real box); answers the
// handler that was in place.
MessageHandler SetMessageHandler(MessageHandler handler);

} // namespace platform
