// The fuzz driver: mutated inputs through one target's reader, in this process, until a
// number of inputs or a time is spent. An input that crashes, hangs or fails its check is
// kept as a file; --replay runs kept files (and the reproducers under tests/) again; a
// file named "accepted-..." or "refused-..." must be read that way.
//
//   vexal_fuzz TARGET (--inputs N | --seconds S) [--seed N] [--keep DIR]
//   vexal_fuzz TARGET --replay FILE-OR-FOLDER...
//
// Exit code: 0 all sound, 1 a check failed, 2 usage, 3 a crash, 4 a hang.
#include <windows.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include "fuzz_target.h"

namespace {

// Every reader the driver knows; a new target is one line here.
const FuzzTarget targets[] = {sceneFileTarget(), mapTextTarget()};

constexpr ULONGLONG HANG_MS = 10000;  // one input taking this long is a hang

struct Run {
    const FuzzTarget* target = nullptr;
    uint64_t inputs = 0, seconds = 0, seed = 1;
    std::string keep = ".";
    std::vector<std::string> replay;
};

// What the crash handler and the watchdog need of the input under test.
const Bytes* current = nullptr;
std::string currentName;
std::atomic<ULONGLONG> currentStart{0};
const Run* active = nullptr;

void keepInput(const Bytes& input, const std::string& kind, const std::string& name) {
    const std::string path = active->keep + "\\" + active->target->name + "-" + kind + "-" + name +
                             active->target->extension;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    if (f != INVALID_HANDLE_VALUE) {
        WriteFile(f, input.data(), static_cast<DWORD>(input.size()), &done, nullptr);
        CloseHandle(f);
    }
    std::fprintf(stderr, "%s: %s kept as %s\n", active->target->name, kind.c_str(), path.c_str());
    std::fflush(stderr);
}

LONG WINAPI onCrash(EXCEPTION_POINTERS* e) {
    std::fprintf(stderr, "crash 0x%08lX on input %s\n", e->ExceptionRecord->ExceptionCode,
                 currentName.c_str());
    if (current) keepInput(*current, "crash", currentName);
    ExitProcess(3);
}

DWORD WINAPI watchdog(void*) {
    for (;;) {
        Sleep(200);
        const ULONGLONG start = currentStart.load();
        if (start == 0 || GetTickCount64() - start < HANG_MS) continue;
        std::fprintf(stderr, "hang on input %s\n", currentName.c_str());
        if (current) keepInput(*current, "hang", currentName);
        TerminateProcess(GetCurrentProcess(), 4);
    }
}

std::string runOne(const FuzzTarget& target, const Bytes& input, const std::string& name,
                   bool& accepted) {
    current = &input;
    currentName = name;
    currentStart = GetTickCount64();
    std::string failure = target.check(input, accepted);
    currentStart = 0;
    current = nullptr;
    return failure;
}

int fuzz(const Run& run) {
    const std::vector<Bytes> seeds = run.target->seeds();
    std::printf("%s: %zu seeds of", run.target->name, seeds.size());
    for (const Bytes& seed : seeds) std::printf(" %zu", seed.size());
    std::printf(" bytes\n");
    std::mt19937_64 random(run.seed);
    const ULONGLONG start = GetTickCount64();
    uint64_t done = 0, failed = 0, accepted = 0;
    for (; run.inputs ? done < run.inputs : GetTickCount64() - start < run.seconds * 1000; ++done) {
        Bytes input = seeds[random() % seeds.size()];
        for (uint64_t m = 1 + random() % 4; m > 0; --m) run.target->mutate(input, random);
        const std::string name = std::to_string(run.seed) + "-" + std::to_string(done);
        bool loaded = false;
        const std::string failure = runOne(*run.target, input, name, loaded);
        accepted += loaded;
        if (failure.empty()) continue;
        ++failed;
        std::fprintf(stderr, "%s: input %s: %s\n", run.target->name, name.c_str(), failure.c_str());
        keepInput(input, "mismatch", name);
    }
    const double seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
    std::printf(
        "%s: %llu inputs (%llu accepted) in %.1f s (%.0f inputs/s), seed %llu: "
        "0 crashes, 0 hangs, %llu mismatches\n",
        run.target->name, static_cast<unsigned long long>(done),
        static_cast<unsigned long long>(accepted), seconds,
        seconds > 0 ? static_cast<double>(done) / seconds : 0.0,
        static_cast<unsigned long long>(run.seed), static_cast<unsigned long long>(failed));
    return failed ? 1 : 0;
}

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The files named, and the files of the folders named.
std::vector<std::string> replayFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        if (!(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(path);
            continue;
        }
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(path + "\\" + found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return files;
}

// A reproducer named "accepted-..." or "refused-..." must still be read that way.
std::string againstExpectation(const std::string& file, bool accepted) {
    const std::string base = file.substr(file.find_last_of("\\/") + 1);
    if (base.rfind("accepted-", 0) == 0 && !accepted) return "refused, expected to be accepted";
    if (base.rfind("refused-", 0) == 0 && accepted) return "accepted, expected to be refused";
    return std::string();
}

int replay(const Run& run) {
    const std::vector<std::string> files = replayFiles(run.replay);
    int failed = 0;
    for (const std::string& file : files) {
        bool accepted = false;
        std::string failure = runOne(*run.target, readBytes(file), file, accepted);
        if (failure.empty()) failure = againstExpectation(file, accepted);
        std::printf("%s: %s\n", file.c_str(),
                    !failure.empty() ? failure.c_str()
                    : accepted       ? "accepted"
                                     : "refused");
        failed += !failure.empty();
    }
    std::printf("%s: %zu files replayed, %d failed\n", run.target->name, files.size(), failed);
    return failed || files.empty() ? 1 : 0;
}

int usage() {
    std::fputs(
        "usage: vexal_fuzz TARGET (--inputs N | --seconds S) [--seed N] [--keep DIR]\n"
        "       vexal_fuzz TARGET --replay FILE-OR-FOLDER...\n",
        stderr);
    return 2;
}

bool parse(int argc, char** argv, Run& run) {
    if (argc < 3) return false;
    for (const FuzzTarget& t : targets)
        if (std::strcmp(argv[1], t.name) == 0) run.target = &t;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--replay") {
            run.replay.assign(argv + i + 1, argv + argc);
            return !run.replay.empty() && run.target;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (option == "--inputs")
            run.inputs = std::strtoull(value, nullptr, 10);
        else if (option == "--seconds")
            run.seconds = std::strtoull(value, nullptr, 10);
        else if (option == "--seed")
            run.seed = std::strtoull(value, nullptr, 10);
        else if (option == "--keep")
            run.keep = value;
        else
            return false;
    }
    return run.target && (run.inputs || run.seconds);
}

}  // namespace

int main(int argc, char** argv) {
    Run run;
    if (!parse(argc, argv, run)) return usage();
    active = &run;
    SetUnhandledExceptionFilter(onCrash);
    CreateThread(nullptr, 0, watchdog, nullptr, 0, nullptr);
    return run.replay.empty() ? fuzz(run) : replay(run);
}
