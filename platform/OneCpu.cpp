#include "OneCpu.h"

#include <QDir>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

constexpr auto kCheckEvery = std::chrono::milliseconds(250);
// Moved when the run waited this share of the time for its CPU, to one idle this share of it.
constexpr double kWaitingShare = 0.25;
constexpr double kIdleShare = 0.5;

// How long this thread has waited for a CPU, in ns.
uint64_t TimeWaited() {
    unsigned long long ran = 0;
    unsigned long long waited = 0;
    FILE* file = std::fopen("/proc/thread-self/schedstat", "re");
    if (file == nullptr)
        return 0;
    if (std::fscanf(file, "%llu %llu", &ran, &waited) != 2)
        waited = 0;
    std::fclose(file);
    return waited;
}

// Each CPU's idle and total time, in clock ticks, by CPU number.
std::vector<std::pair<uint64_t, uint64_t>> CpuTimes() {
    std::vector<std::pair<uint64_t, uint64_t>> times;
    FILE* file = std::fopen("/proc/stat", "re");
    if (file == nullptr)
        return times;
    char line[512];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        unsigned cpu = 0;
        unsigned long long field[8] = {};
        if (std::strncmp(line, "cpu", 3) != 0 || line[3] < '0' || line[3] > '9')
            continue;
        if (std::sscanf(line + 3, "%u %llu %llu %llu %llu %llu %llu %llu %llu", &cpu, &field[0],
                        &field[1], &field[2], &field[3], &field[4], &field[5], &field[6],
                        &field[7]) != 9 ||
            cpu > 4096)
            continue;
        if (times.size() <= cpu)
            times.resize(cpu + 1);
        uint64_t total = 0;
        for (const unsigned long long value : field)
            total += value;
        // Idle and waiting for the disk: either way free for the run.
        times[cpu] = {field[3] + field[4], total};
    }
    std::fclose(file);
    return times;
}

} // namespace

OneCpu::OneCpu() {
    const int cpu = sched_getcpu();
    if (cpu < 0)
        return;
    const QStringList threads =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : threads) {
        bool ok = false;
        const pid_t thread = pid_t(name.toInt(&ok));
        cpu_set_t had;
        if (ok && sched_getaffinity(thread, sizeof had, &had) == 0)
            saved_.emplace_back(thread, had);
    }
    PinTo(cpu);
    checked_ = std::chrono::steady_clock::now();
    waited_ = TimeWaited();
    cpuTimes_ = CpuTimes();
}

OneCpu::~OneCpu() {
    for (const auto& [thread, had] : saved_)
        sched_setaffinity(thread, sizeof had, &had);
}

void OneCpu::PinTo(int cpu) {
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(cpu, &one);
    for (const auto& [thread, had] : saved_) {
        if (CPU_ISSET(cpu, &had))
            sched_setaffinity(thread, sizeof one, &one);
    }
    cpu_ = cpu;
}

void OneCpu::Recheck() {
    if (cpu_ < 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    const auto elapsed = now - checked_;
    if (elapsed < kCheckEvery)
        return;
    const uint64_t waited = TimeWaited();
    std::vector<std::pair<uint64_t, uint64_t>> times = CpuTimes();
    const double waitedShare =
        double(waited - waited_) /
        double(std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count());
    int idlest = -1;
    double idlestShare = kIdleShare;
    if (waitedShare >= kWaitingShare && times.size() == cpuTimes_.size()) {
        // The CPUs the caller's thread had before it was pinned.
        cpu_set_t allowed;
        CPU_ZERO(&allowed);
        for (const auto& [thread, had] : saved_) {
            if (thread == gettid())
                allowed = had;
        }
        for (size_t cpu = 0; cpu < times.size(); ++cpu) {
            const uint64_t total = times[cpu].second - cpuTimes_[cpu].second;
            if (int(cpu) == cpu_ || total == 0 || !CPU_ISSET(cpu, &allowed))
                continue;
            const double idle = double(times[cpu].first - cpuTimes_[cpu].first) / double(total);
            if (idle > idlestShare) {
                idlest = int(cpu);
                idlestShare = idle;
            }
        }
    }
    if (idlest >= 0)
        PinTo(idlest);
    checked_ = now;
    waited_ = waited;
    cpuTimes_ = std::move(times);
}

} // namespace platform
