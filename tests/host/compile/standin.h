// Where the compile tests find their compiler stand-in: beside the test program.
#pragma once
#include <windows.h>
#include <string>

inline std::string testProgramFolder() {
    char path[MAX_PATH];
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of("\\/"));
}

inline std::string standinPath() { return testProgramFolder() + "\\compiler_standin.exe"; }
