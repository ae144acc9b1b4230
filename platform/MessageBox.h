#pragma once

#include <QString>
#include <functional>

// The plain message box: one OK button, the application's title as caption. Every box the
// program shows goes through ShowMessage, so a test can answer it and read its text, and a
// program without windows can print it instead.
namespace platform {

using MessageHandler = std::function<void(const QString& text)>;

// Shows the text and waits until the user has answered.
void ShowMessage(const QString& text);

// Routes ShowMessage to the given handler (an empty one restores the presenter); answers the
// handler that was in place.
MessageHandler SetMessageHandler(MessageHandler handler);

// What shows a text when no handler is set. A program with windows sets the real box at start-up
// (UseMessageBoxWindow); until then, and in a program without windows, the text goes to standard
// error.
void SetMessagePresenter(MessageHandler presenter);

} // namespace platform
