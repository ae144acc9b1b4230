#include "OneCpu.h"

#include <QDir>

namespace platform {

OneCpu::OneCpu() {
    const int cpu = sched_getcpu();
    if (cpu < 0)
        return;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(cpu, &one);
    const QStringList threads =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : threads) {
        bool ok = false;
        const pid_t thread = pid_t(name.toInt(&ok));
        cpu_set_t had;
        if (!ok || sched_getaffinity(thread, sizeof had, &had) != 0)
            continue;
        if (sched_setaffinity(thread, sizeof one, &one) == 0)
            saved_.emplace_back(thread, had);
    }
}

OneCpu::~OneCpu() {
    for (const auto& [thread, had] : saved_)
        sched_setaffinity(thread, sizeof had, &had);
}

} // namespace platform
