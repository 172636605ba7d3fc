#include "sampling_profiler.h"
#include <psapi.h>

namespace {

constexpr int MAX_FRAMES = 48;

}  // namespace

SamplingProfiler::SamplingProfiler(const std::string& path) {
    InitializeCriticalSection(&lock_);
    if (path.empty() || !(out_ = std::fopen(path.c_str(), "w"))) return;
    std::fprintf(out_, "base %p\n", static_cast<void*>(GetModuleHandleA(nullptr)));
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &target_, 0,
                    FALSE, DUPLICATE_SAME_ACCESS);
    thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
}

SamplingProfiler::~SamplingProfiler() {
    if (thread_) {
        InterlockedExchange(&stop_, 1);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        writeModules();
    }
    if (target_) CloseHandle(target_);
    if (out_) std::fclose(out_);
    DeleteCriticalSection(&lock_);
}

void SamplingProfiler::mark(const std::string& name) {
    if (!out_) return;
    EnterCriticalSection(&lock_);
    std::fprintf(out_, "mark %s\n", name.c_str());
    LeaveCriticalSection(&lock_);
}

DWORD WINAPI SamplingProfiler::run(void* self) {
    auto* profiler = static_cast<SamplingProfiler*>(self);
    timeBeginPeriod(1);
    while (!profiler->stop_) {
        Sleep(1);
        profiler->sample();
    }
    timeEndPeriod(1);
    return 0;
}

// The stack is walked with the unwind tables every x64 function carries.
void SamplingProfiler::sample() {
    if (SuspendThread(target_) == static_cast<DWORD>(-1)) return;
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_FULL;
    DWORD64 frames[MAX_FRAMES];
    int count = 0;
    if (GetThreadContext(target_, &context)) {
        while (count < MAX_FRAMES && context.Rip) {
            frames[count++] = context.Rip;
            DWORD64 imageBase = 0;
            PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
            if (!function) {
                // A leaf function: its return address is on top of the stack.
                context.Rip = *reinterpret_cast<DWORD64*>(context.Rsp);
                context.Rsp += 8;
                continue;
            }
            void* handlerData = nullptr;
            DWORD64 establisher = 0;
            RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context,
                             &handlerData, &establisher, nullptr);
        }
    }
    ResumeThread(target_);
    EnterCriticalSection(&lock_);
    for (int i = 0; i < count; ++i)
        std::fprintf(out_, "%llx%c", static_cast<unsigned long long>(frames[i]),
                     i + 1 == count ? '\n' : ' ');
    LeaveCriticalSection(&lock_);
}

// Where each loaded module lies, so that samples outside the executable name their module.
void SamplingProfiler::writeModules() {
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModules(GetCurrentProcess(), modules, sizeof modules, &needed)) return;
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
        MODULEINFO info = {};
        char name[MAX_PATH] = {};
        GetModuleInformation(GetCurrentProcess(), modules[i], &info, sizeof info);
        GetModuleBaseNameA(GetCurrentProcess(), modules[i], name, sizeof name);
        std::fprintf(out_, "module %p %lx %s\n", info.lpBaseOfDll,
                     static_cast<unsigned long>(info.SizeOfImage), name);
    }
}
