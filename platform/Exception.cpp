#include "Exception.h"

#include <utility>

namespace platform {

Exception::Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}

} // namespace platform
