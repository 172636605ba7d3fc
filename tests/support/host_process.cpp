#include <windows.h>
#include "host_process.h"

std::string makeScratchFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder =
        std::string(temp) + "vexalhost-" + name + "-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

static HANDLE inheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

HostRun runHost(const std::string& arguments, const std::string& folder) {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string self(exe, n);
    std::string host = self.substr(0, self.find_last_of("\\/")) + "\\vexalhost.exe";
    std::string outPath = folder + "\\stdout.txt", errPath = folder + "\\stderr.txt";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = inheritableFile(outPath);
    si.hStdError = inheritableFile(errPath);
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string line = "\"" + host + "\" " + arguments;
    PROCESS_INFORMATION pi = {};
    HostRun run;
    // Under a loaded machine Wine now and then fails to start a process: try again.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt) Sleep(500);
        started = CreateProcessA(host.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 folder.c_str(), &si, &pi);
    }
    if (!started)
        run.err = "vexalhost.exe did not start (error " + std::to_string(GetLastError()) + ")";
    if (started) {
        if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_TIMEOUT)
            TerminateProcess(pi.hProcess, 259);
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        run.exitCode = static_cast<int>(code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(si.hStdOutput);
    CloseHandle(si.hStdError);
    run.out = readFile(outPath);
    run.err += readFile(errPath);
    return run;
}

std::string sourcePath(const std::string& relative) {
    return std::string("Z:") + VEXAL_SOURCE_DIR + "/" + relative;
}

HostRun runScript(const std::string& folder, const std::string& name, const std::string& script) {
    writeFile(folder + "\\" + name, script);
    return runHost("run " + name, folder);
}
