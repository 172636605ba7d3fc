// Runs vexalhost.exe as its own process, as a user at a terminal does, in a fresh folder.
#pragma once
#include <string>
#include "test_files.h"

struct HostRun {
    int exitCode = -1;
    std::string out, err;
};

// A new empty folder for one test's files.
std::string makeScratchFolder(const std::string& name);

// Runs "vexalhost.exe <arguments>" (from the test's own folder) with folder as the current
// directory, and collects its exit code and output.
HostRun runHost(const std::string& arguments, const std::string& folder);
// Writes a script named name into folder and runs it there ("vexalhost run NAME").
HostRun runScript(const std::string& folder, const std::string& name, const std::string& script);

// A path under the source tree, as Windows sees it.
std::string sourcePath(const std::string& relative);
