#pragma once

#include "platform/Exception.h"

#include <QString>

namespace tagaccess {

// The library cannot be loaded. The message is the format with its "%s" replaced by the name.
class EDllError : public platform::Exception {
  public:
    EDllError(const QString& format, const QString& name);
    const QString& Name() const noexcept { return name_; }

  private:
    QString name_;
};

// An entry point is missing from the library.
class EDllProcError : public EDllError {
  public:
    using EDllError::EDllError;
};

// The two message formats, built once for the whole process by whichever unit asks first.
struct DllErrorFormats {
    QString loadLibrary;
    QString procAddress;

    static const DllErrorFormats& Instance();
    // For the shell tool, whose every message is English; before the first Instance().
    static void UseEnglish();
};

} // namespace tagaccess
