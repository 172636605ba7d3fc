// A stand-in for a map compiler, for the compile tests: it does what its arguments say, in
// order, so that a test knows every line and exit status to expect.
//   say TEXT        TEXT as a line on standard output
//   warn TEXT       TEXT as a line on standard error
//   bytes           a line holding bytes that are not text
//   sleep MS        waits
//   points FILE N   writes N points, one "X Y Z" a line, and a junk line
//   spawn           starts a copy of itself that sleeps a minute (a child left running)
//   exit N          ends with status N
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void writePoints(const char* path, int count) {
    FILE* f = std::fopen(path, "w");
    if (!f) return;
    for (int i = 0; i < count; ++i) std::fprintf(f, "%d %d 16\n", i * 32, i * 8);
    std::fprintf(f, "not a point\n");
    std::fclose(f);
}

void spawnSleeper(const char* self) {
    char line[MAX_PATH + 32];
    std::snprintf(line, sizeof line, "\"%s\" sleep 60000", self);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &info)) {
        std::printf("spawned %lu\n", info.dwProcessId);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (std::strcmp(word, "say") == 0) {
            std::printf("%s\n", value), ++i;
        } else if (std::strcmp(word, "warn") == 0) {
            std::fprintf(stderr, "%s\n", value), ++i;
        } else if (std::strcmp(word, "bytes") == 0) {
            std::fwrite(
                "a\0b\x01\x7f"
                "c\r\n",
                1, 8, stdout);
        } else if (std::strcmp(word, "sleep") == 0) {
            std::fflush(stdout);
            Sleep(std::atoi(value)), ++i;
        } else if (std::strcmp(word, "points") == 0 && i + 2 < argc) {
            writePoints(value, std::atoi(argv[i + 2])), i += 2;
        } else if (std::strcmp(word, "spawn") == 0) {
            spawnSleeper(argv[0]);
        } else if (std::strcmp(word, "exit") == 0) {
            std::fflush(stdout);
            return std::atoi(value);
        }
        std::fflush(stdout);
        std::fflush(stderr);
    }
    return 0;
}
