#include "SystemError.h"

namespace kivuna::tags {
namespace {

thread_local int lastError = 0;

} // namespace

void ClearSystemError() {
    lastError = 0;
}

int LastSystemError() {
    return lastError;
}

bool KeepSystemError(int error) {
    lastError = error;
    return false;
}

} // namespace kivuna::tags
