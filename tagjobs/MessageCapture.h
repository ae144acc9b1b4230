#pragma once

#include "platform/MessageBox.h"

#include <QStringList>

namespace tagjobs {

// Keeps what the tag library says during its lifetime instead of showing it: a run reports a
// file's failure through its observer, one reason per file, whichever front end shows it.
class MessageCapture {
  public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    bool Any() const { return !messages_.isEmpty(); }
    // The messages in the order said, each once, joined by "; ".
    QString Text() const;

  private:
    QStringList messages_;
    platform::MessageHandler previous_;
};

} // namespace tagjobs
