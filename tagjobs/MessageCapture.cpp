#include "MessageCapture.h"

namespace tagjobs {

MessageCapture::MessageCapture()
    : previous_(platform::SetMessageHandler([this](const QString& text) {
          if (!messages_.contains(text))
              messages_ << text;
      })) {}

MessageCapture::~MessageCapture() {
    platform::SetMessageHandler(std::move(previous_));
}

QString MessageCapture::Text() const {
    return messages_.join(QStringLiteral("; "));
}

} // namespace tagjobs
