#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace platform {

// Base of every failure the program reports to the user: the message is what the user sees.
class Exception : public std::exception {
  public:
    explicit Exception(QString message);

    const QString& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

  private:
    QString message_;
    QByteArray utf8_;
};

} // namespace platform
