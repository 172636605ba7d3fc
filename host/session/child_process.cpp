#include "session/child_process.h"
#include <algorithm>
#include <cstdio>
#include <vector>
#include "scene/byte_io.h"

namespace {

// How long the reader waits for the program when its pipe is empty: short enough that a
// cancel or the program's end is seen at once, long enough to cost nothing.
constexpr DWORD POLL_MILLISECONDS = 10;

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    HANDLE* out() { return &h_; }
    void reset() {
        if (h_) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

std::string startProblem(const CompileStep& step) {
    const DWORD program = GetFileAttributesA(step.program.c_str());
    if (program == INVALID_FILE_ATTRIBUTES || (program & FILE_ATTRIBUTE_DIRECTORY))
        return "no program at \"" + step.program + "\" (step " + step.name +
               ": fill in its path in the profile)";
    const DWORD folder = GetFileAttributesA(step.folder.c_str());
    if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
        return "no folder \"" + step.folder + "\" to run step " + step.name + " in";
    return "";
}

std::vector<char> commandLine(const CompileStep& step) {
    const std::string text = "\"" + step.program + "\" " + step.arguments;
    std::vector<char> line(text.begin(), text.end());
    line.push_back('\0');
    return line;
}

// A job whose programs all end when it is closed: nothing of a step outlives the host.
HANDLE killOnCloseJob() {
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    if (!job) return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

struct StartedStep {
    Handle process, job, output;
};

bool startStep(const CompileStep& step, StartedStep& started, std::string& problem) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    Handle write, input(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inherit, OPEN_EXISTING, 0, nullptr));
    if (!CreatePipe(started.output.out(), write.out(), &inherit, 0)) {
        problem = "cannot make a pipe (" + systemErrorText(GetLastError()) + ")";
        return false;
    }
    SetHandleInformation(started.output.get(), HANDLE_FLAG_INHERIT, 0);
    *started.job.out() = killOnCloseJob();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = startup.hStdError = write.get();
    PROCESS_INFORMATION info = {};
    std::vector<char> line = commandLine(step);
    // Suspended until it is in the job, so that not even its first child escapes it.
    if (!CreateProcessA(step.program.c_str(), line.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, step.folder.c_str(), &startup,
                        &info)) {
        problem = "cannot start \"" + step.program + "\" (" + systemErrorText(GetLastError()) + ")";
        return false;
    }
    *started.process.out() = info.hProcess;
    if (started.job.get()) AssignProcessToJobObject(started.job.get(), info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    return true;
}

// Hands on what the pipe holds now.
void readAvailable(HANDLE pipe, OutputLines& lines) {
    DWORD available = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return;
    char buffer[4096];
    while (available > 0) {
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr))
            return;
        lines.add(buffer, got);
        available -= got;
    }
}

void endJob(StartedStep& started) {
    if (started.job.get())
        TerminateJobObject(started.job.get(), 1);
    else
        TerminateProcess(started.process.get(), 1);
}

}  // namespace

std::string StepOutcome::text() const {
    char time[32];
    std::snprintf(time, sizeof time, " (%.1f s)", seconds);
    switch (end) {
        case End::Exited:
            return "exit " + std::to_string(exitCode) + time;
        case End::Cancelled:
            return std::string("cancelled") + time;
        case End::NotStarted:
            break;
    }
    return problem;
}

StepOutcome runStep(const CompileStep& step, const LineSink& sink,
                    const std::atomic<bool>& cancel) {
    StepOutcome outcome;
    outcome.problem = startProblem(step);
    StartedStep started;
    if (!outcome.problem.empty() || !startStep(step, started, outcome.problem)) return outcome;
    const ULONGLONG start = GetTickCount64();
    OutputLines lines(sink);
    outcome.end = StepOutcome::End::Exited;
    for (;;) {
        if (cancel) {
            endJob(started);
            outcome.end = StepOutcome::End::Cancelled;
            break;
        }
        readAvailable(started.output.get(), lines);
        if (WaitForSingleObject(started.process.get(), POLL_MILLISECONDS) == WAIT_OBJECT_0) {
            readAvailable(started.output.get(), lines);
            break;
        }
    }
    lines.finish();
    // Programs the step left running would hold the pipe, and the next step's files.
    endJob(started);
    WaitForSingleObject(started.process.get(), INFINITE);
    GetExitCodeProcess(started.process.get(), &outcome.exitCode);
    outcome.seconds = (GetTickCount64() - start) / 1000.0;
    return outcome;
}

bool startDetached(const CompileStep& step, std::string& error) {
    error = startProblem(step);
    if (!error.empty()) return false;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::vector<char> line = commandLine(step);
    if (!CreateProcessA(step.program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        step.folder.c_str(), &startup, &info)) {
        error = "cannot start \"" + step.program + "\" (" + systemErrorText(GetLastError()) + ")";
        return false;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}
