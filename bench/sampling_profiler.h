// A sampling profiler for the benchmarks: a second thread stops the measured one about
// every millisecond and writes the return addresses of its stack, one sample a line, to a
// file; scripts/profile-report names them from the executable's symbols. It finds where the
// window's time goes on its real path, which no single-part benchmark shows.
#pragma once
#include <windows.h>
#include <cstdio>
#include <string>

class SamplingProfiler {
public:
    // Samples the calling thread into path while it lives (nothing when path is empty).
    explicit SamplingProfiler(const std::string& path);
    ~SamplingProfiler();
    SamplingProfiler(const SamplingProfiler&) = delete;
    SamplingProfiler& operator=(const SamplingProfiler&) = delete;

    // Samples taken from now on carry this name, until the next mark.
    void mark(const std::string& name);

private:
    static DWORD WINAPI run(void* self);
    void sample();
    void writeModules();

    FILE* out_ = nullptr;
    HANDLE target_ = nullptr, thread_ = nullptr;
    volatile LONG stop_ = 0;
    CRITICAL_SECTION lock_;
};
