#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <utility>

// The error box for failures that no handler caught, and the guard that brings them there
// before they could reach the toolkit (which must never see an exception).
namespace platform {

using ErrorHandler = std::function<void(const QString& text)>;

// Shows the failure's message in the error box (an empty message for a value that is no
// std::exception).
void ShowException(const std::exception& failure);
void ShowErrorText(const QString& text);

// Routes the error box to the given handler (empty: the real box); answers the previous one.
ErrorHandler SetErrorHandler(ErrorHandler handler);

// Runs a handler body; a failure that escapes it goes to the error box and the program goes on.
template <typename Body> void Guard(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& failure) {
        ShowException(failure);
    } catch (...) {
        ShowErrorText(QString());
    }
}

} // namespace platform
