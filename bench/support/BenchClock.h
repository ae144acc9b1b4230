#pragma once

#include <QElapsedTimer>
#include <functional>

namespace bench {

// How long the work took, in seconds.
inline double Seconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace bench
