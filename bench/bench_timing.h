// Timing of benchmark work, and its report. Every figure is given three ways: the best
// round's wall time (the machine at its quietest), the mean wall time, and the thread's
// own CPU time, which other processes on a busy machine do not inflate.
#pragma once
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

using Clock = std::chrono::steady_clock;

inline double threadCpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ticks = [](const FILETIME& f) {
        return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
}

struct Timing {
    double best = 1e30, mean = 0, cpu = 0;  // seconds per repetition
};

// rounds of reps repetitions each.
inline Timing measure(int rounds, int reps, const std::function<void()>& work) {
    Timing t;
    double cpuStart = threadCpuSeconds();
    for (int r = 0; r < rounds; ++r) {
        Clock::time_point start = Clock::now();
        for (int i = 0; i < reps; ++i) work();
        double each = std::chrono::duration<double>(Clock::now() - start).count() / reps;
        t.best = std::min(t.best, each);
        t.mean += each / rounds;
    }
    t.cpu = (threadCpuSeconds() - cpuStart) / (rounds * reps);
    return t;
}

inline void report(const char* what, const Timing& t, double unit, const char* unitName) {
    std::printf("  %-34s best %8.2f  mean %8.2f  cpu %8.2f %s\n", what, t.best / unit,
                t.mean / unit, t.cpu / unit, unitName);
}
