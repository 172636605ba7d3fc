#include <windows.h>
#include <io.h>
#include <cstdio>
#include <vector>
#include "host_process.h"
#include "cli/command_line.h"

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

HostRun runHostProcess(const std::string& arguments, const std::string& folder) {
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

namespace {

// The words of a command line as the C runtime splits them: double quotes group, and are
// not part of the word.
std::vector<std::string> splitArguments(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

// Sends the C runtime's stdout and stderr to files for as long as it lives.
class CapturedOutput {
public:
    CapturedOutput(const std::string& outPath, const std::string& errPath)
        : out_(redirect(stdout, outPath)), err_(redirect(stderr, errPath)) {}
    ~CapturedOutput() {
        restore(stdout, out_);
        restore(stderr, err_);
    }

private:
    static int redirect(FILE* stream, const std::string& path) {
        std::fflush(stream);
        const int saved = _dup(_fileno(stream));
        FILE* file = std::fopen(path.c_str(), "wb");
        _dup2(_fileno(file), _fileno(stream));
        std::fclose(file);
        return saved;
    }
    static void restore(FILE* stream, int saved) {
        std::fflush(stream);
        _dup2(saved, _fileno(stream));
        _close(saved);
    }
    int out_, err_;
};

}  // namespace

HostRun runHost(const std::string& arguments, const std::string& folder) {
    std::vector<std::string> words = splitArguments(arguments);
    words.insert(words.begin(), "vexalhost");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    char here[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof here, here);
    SetCurrentDirectoryA(folder.c_str());
    const std::string outPath = folder + "\\stdout.txt", errPath = folder + "\\stderr.txt";
    HostRun run;
    {
        CapturedOutput captured(outPath, errPath);
        const int argc = withoutProgressOption(static_cast<int>(words.size()), argv.data());
        run.exitCode = runCommandLine(argc, argv.data());
    }
    SetCurrentDirectoryA(here);
    run.out = readFile(outPath);
    run.err = readFile(errPath);
    return run;
}

std::string sourcePath(const std::string& relative) {
    return std::string("Z:") + VEXAL_SOURCE_DIR + "/" + relative;
}

HostRun runScript(const std::string& folder, const std::string& name, const std::string& script) {
    writeFile(folder + "\\" + name, script);
    return runHost("run " + name, folder);
}
