#pragma once

#include <sched.h>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace platform {

// Keeps every thread of the process on the CPU the caller runs on, for the scope's lifetime;
// afterwards each thread gets back the CPUs it had. Unloading a library unmaps its pages, and
// while a thread of the process (the display connection's, a pool's) has run on another CPU,
// every unmap interrupts that CPU to flush its address cache: in a run that loads and unloads
// the tag library thousands of times, that cost more than the tag work. Failing to pin changes
// nothing but the speed.
class OneCpu {
  public:
    OneCpu();
    ~OneCpu();
    OneCpu(const OneCpu&) = delete;
    OneCpu& operator=(const OneCpu&) = delete;

  private:
    std::vector<std::pair<pid_t, cpu_set_t>> saved_;
};

} // namespace platform
