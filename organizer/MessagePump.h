#pragma once

#include <QElapsedTimer>

namespace organizer {

// Processes pending window messages during a processing run, so the window repaints and the
// stop button works. Calls closer together than the interval are skipped: on an X display each
// repaint of the counters costs about a millisecond, more than the tag work of a file that needs
// no write.
class MessagePump {
  public:
    explicit MessagePump(int intervalMs) : intervalMs_(intervalMs) {}

    void operator()();

  private:
    int intervalMs_;
    QElapsedTimer since_;
};

} // namespace organizer
