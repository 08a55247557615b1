#include "audio/real_time_thread.h"

#ifdef __linux__
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

// Low among real-time threads: the sound server's own should come first.
constexpr int wantedPriority = 5;
// RealtimeKit grants real-time only to threads that promise to yield within this long.
constexpr rlim_t realTimeBudgetMicroseconds = 200000;

#ifdef __linux__
bool askRealtimeKit() {
    const rlimit budget{realTimeBudgetMicroseconds, realTimeBudgetMicroseconds};
    if (setrlimit(RLIMIT_RTTIME, &budget) != 0) {
        return false;
    }
    QDBusInterface kit(QStringLiteral("org.freedesktop.RealtimeKit1"),
                       QStringLiteral("/org/freedesktop/RealtimeKit1"),
                       QStringLiteral("org.freedesktop.RealtimeKit1"), QDBusConnection::systemBus());
    if (!kit.isValid()) {
        return false;
    }
    const QDBusReply<void> reply =
        kit.call(QStringLiteral("MakeThreadRealtime"), static_cast<quint64>(syscall(SYS_gettid)),
                 static_cast<quint32>(wantedPriority));
    return reply.isValid();
}
#endif

} // namespace

bool makeThisThreadRealTime() {
#ifdef __linux__
    sched_param parameter{};
    parameter.sched_priority = wantedPriority;
    // Allowed where the process's real-time limit reaches the priority, or it is privileged.
    // A child process would not inherit it.
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO | SCHED_RESET_ON_FORK, &parameter) == 0) {
        return true;
    }
    return askRealtimeKit();
#else
    return false;
#endif
}
