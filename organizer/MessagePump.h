#pragma once

#include <QElapsedTimer>

namespace organizer {

// Processes pending window messages during long work, so the window repaints and the stop button
// works. Calls closer together than the interval are skipped: a folder entry costs a few
// microseconds, and processing messages after each one would dominate a search.
class MessagePump {
  public:
    explicit MessagePump(int intervalMs) : intervalMs_(intervalMs) {}

    void operator()();

  private:
    int intervalMs_;
    QElapsedTimer since_;
};

} // namespace organizer
