#include "MessagePump.h"

#include <QCoreApplication>

namespace organizer {

void MessagePump::operator()() {
    if (since_.isValid() && since_.elapsed() < intervalMs_)
        return;
    QCoreApplication::processEvents();
    since_.start();
}

} // namespace organizer
