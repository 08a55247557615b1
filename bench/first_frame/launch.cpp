// Starts one program with the probe preloaded and reports, on one line, the milliseconds from
// just before the process was created to the first frame the probe reported, and the
// process's peak resident memory in KiB (as /usr/bin/time reports it), and the processor
// time it used in milliseconds (user and system):
//     launch SECONDS PROBE PROGRAM [ARG...]
// The program runs with the caller's environment; it gives up after SECONDS.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <poll.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Everything the probe writes, until it closes the pipe (by ending the process) or time is up.
std::string readReport(int fd, int timeoutMs) {
    std::string text;
    const long long deadline = monotonicNanoseconds() + timeoutMs * 1000000LL;
    for (;;) {
        const long long left = (deadline - monotonicNanoseconds()) / 1000000LL;
        if (left <= 0)
            return text;
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, static_cast<int>(left)) <= 0)
            continue;
        char buffer[64];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s SECONDS PROBE PROGRAM [ARG...]\n", argv[0]);
        return 2;
    }
    const int timeoutMs = std::atoi(argv[1]) * 1000;
    int report[2];
    if (pipe(report) != 0) {
        std::perror("pipe");
        return 1;
    }
    const long long started = monotonicNanoseconds();
    const pid_t child = fork();
    if (child == 0) {
        close(report[0]);
        if (report[1] != 3) {
            dup2(report[1], 3);
            close(report[1]);
        }
        setenv("LD_PRELOAD", argv[2], 1);
        execv(argv[3], argv + 3);
        std::perror(argv[3]);
        _exit(127);
    }
    close(report[1]);
    const std::string text = readReport(report[0], timeoutMs);

    int status = 0;
    rusage usage{};
    if (text.empty())
        kill(child, SIGKILL);
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (text.empty() || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: no first frame reported (status %d)\n", argv[3], status);
        return 1;
    }
    const double milliseconds = static_cast<double>(std::stoll(text) - started) / 1e6;
    const double cpuMilliseconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    std::printf("%.3f %ld %.3f\n", milliseconds, usage.ru_maxrss, cpuMilliseconds);
    return 0;
}
