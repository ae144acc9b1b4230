#pragma once

#include <chrono>
#include <cstdint>
#include <sched.h>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace platform {

// Keeps every thread of the process on one CPU for the scope's lifetime; afterwards each thread
// gets back the CPUs it had. Unloading a library unmaps its pages, and while a thread of the
// process (the display connection's, a pool's) has run on another CPU, every unmap interrupts
// that CPU to flush its address cache: in a run that loads and unloads the tag library thousands
// of times, that cost more than the tag work. Failing to pin changes nothing but the speed.
//
// The run starts on the CPU the caller runs on. A pinned run cannot be moved away from a job that
// keeps its CPU busy, so Recheck, asked between files, moves it to another CPU when the run keeps
// waiting for its own and another stands mostly idle.
class OneCpu {
  public:
    OneCpu();
    ~OneCpu();
    OneCpu(const OneCpu&) = delete;
    OneCpu& operator=(const OneCpu&) = delete;

    // Cheap between checks: it looks at the CPUs at most every quarter second.
    void Recheck();

  private:
    void PinTo(int cpu);

    std::vector<std::pair<pid_t, cpu_set_t>> saved_;
    int cpu_ = -1;
    std::chrono::steady_clock::time_point checked_;
    // This thread's time waiting for a CPU, in ns, and each CPU's idle and total time, at the
    // last check.
    uint64_t waited_ = 0;
    std::vector<std::pair<uint64_t, uint64_t>> cpuTimes_;
};

} // namespace platform
