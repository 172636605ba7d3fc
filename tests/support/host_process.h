// Runs the host's command line as a user at a terminal does, in a fresh folder: in this
// process where no process boundary is under test (a Wine process start costs more than most
// cases), else as vexalhost.exe in a process of its own.
#pragma once
#include <string>
#include "test_files.h"

struct HostRun {
    int exitCode = -1;
    std::string out, err;
};

// A new empty folder for one test's files.
std::string makeScratchFolder(const std::string& name);

// Runs "vexalhost <arguments>" with folder as the current directory and collects its exit
// code and output: the command line's own entry point, called in this process.
HostRun runHost(const std::string& arguments, const std::string& folder);
// The same through vexalhost.exe (from the test's own folder) started as a process: for what
// only a process shows (main's choice of window or command line, a fresh process's state).
HostRun runHostProcess(const std::string& arguments, const std::string& folder);
// Writes a script named name into folder and runs it there ("vexalhost run NAME").
HostRun runScript(const std::string& folder, const std::string& name, const std::string& script);

// A path under the source tree, as Windows sees it.
std::string sourcePath(const std::string& relative);
