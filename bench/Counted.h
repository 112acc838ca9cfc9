#pragma once
// Counting the instructions of one side of a benchmark, for bench/instructions.sh. A benchmark
// started with `--count <side>` sets up as usual, runs only that side's work once through
// countWork, prints the count when it has one and ends. Two ways to count:
//   - under callgrind started with --collect-atstart=no, collection is switched on around the
//     work only; callgrind prints the count ("Collected : N") when the program ends;
//   - elsewhere the processor's counter of user-space instructions, when the kernel offers
//     one, read around the work and printed as "instructions N".
// Neither sees the kernel's share: a side made mostly of system calls is judged by its time.

#include <linux/perf_event.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#define CALLGRIND_TOGGLE_COLLECT
#endif

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace fd::bench {

// The side named after `--count`, or nothing when the benchmark runs as a timing.
inline std::optional<std::string> countedSide(int argc, char* argv[]) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--count") == 0)
            return std::string(argv[i + 1]);
    return std::nullopt;
}

// A counter of this thread's user-space instructions, or -1 when the machine has none.
inline int openInstructionCounter() {
    perf_event_attr attr{};
    attr.type = PERF_TYPE_HARDWARE;
    attr.size = sizeof attr;
    attr.config = PERF_COUNT_HW_INSTRUCTIONS;
    attr.disabled = 1;
    attr.exclude_kernel = 1;
    attr.exclude_hv = 1;
    return int(::syscall(SYS_perf_event_open, &attr, 0, -1, -1, 0));
}

// Runs the work once, counted. Returns 0 when it ran, 3 when nothing could count it.
template <typename Work> int countWork(Work&& work) {
    if (RUNNING_ON_VALGRIND) {
        CALLGRIND_TOGGLE_COLLECT;
        work();
        CALLGRIND_TOGGLE_COLLECT;
        return 0;
    }
    const int counter = openInstructionCounter();
    if (counter < 0) {
        std::fprintf(stderr, "no instruction counter here: run under valgrind --tool=callgrind "
                             "--collect-atstart=no\n");
        return 3;
    }
    ::ioctl(counter, PERF_EVENT_IOC_RESET, 0);
    ::ioctl(counter, PERF_EVENT_IOC_ENABLE, 0);
    work();
    ::ioctl(counter, PERF_EVENT_IOC_DISABLE, 0);
    long long count = 0;
    const bool read = ::read(counter, &count, sizeof count) == sizeof count;
    ::close(counter);
    std::printf("instructions %lld\n", read ? count : -1LL);
    return read ? 0 : 3;
}

} // namespace fd::bench
