// Saves and loads a scene of 100,000 helpers through the real plug-in and compares the
// throughput with one large buffered write and read of the same number of bytes. Reports
// the process's peak memory against the file size. A measurement, not a test.
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "plugins/plugin_registry.h"
#include "scene/chunk_reader.h"
#include "scene/scene_reader.h"
#include "scene/scene_writer.h"

namespace {

constexpr int HELPER_COUNT = 100000;
constexpr int RUNS = 3;
const char* const SCENE_PATH = "scene_benchmark.vxs";
const char* const RAW_PATH = "scene_benchmark.raw";

double seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Memory {
    double workingSetMB, peakWorkingSetMB, peakPrivateMB;
};

Memory memoryNow() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    const double mb = 1024.0 * 1024.0;
    return {counters.WorkingSetSize / mb, counters.PeakWorkingSetSize / mb,
            counters.PeakPagefileUsage / mb};
}

// Helpers of every kind in turn, spread over a grid. Names are made here rather than with
// Scene::uniqueName, whose search is meant for interactive creation, not for 100,000 nodes.
bool fillScene(const PluginRegistry& registry, Scene& scene) {
    const std::vector<PluginKind>& kinds = registry.kinds();
    for (int i = 0; i < HELPER_COUNT; ++i) {
        const PluginKind& kind = kinds[i % kinds.size()];
        Object* object = dynamic_cast<Object*>(kind.desc->create(0));
        if (!object) return false;
        char name[64];
        std::snprintf(name, sizeof name, "%s%06d", kind.className.c_str(), i);
        Node* node = scene.add(object, object->ClassID(), object->SuperClassID(), name);
        scene.setPosition(*node, Point3(float(i % 300), float(i / 300), 0.0f));
    }
    return true;
}

double rawWrite(const std::vector<unsigned char>& bytes) {
    double start = seconds();
    HANDLE f = CreateFileA(RAW_PATH, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    FlushFileBuffers(f);  // saveScene flushes too
    CloseHandle(f);
    return seconds() - start;
}

double rawRead(std::vector<unsigned char>& bytes) {
    double start = seconds();
    HANDLE f = CreateFileA(RAW_PATH, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    DWORD done = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
    return seconds() - start;
}

// Every chunk of the file entered and every data chunk read through the host's streams,
// with no object made: what the streams alone cost on the way in.
long walkChunks(ChunkReader& r, std::vector<unsigned char>& scratch) {
    long chunks = 0;
    while (r.nextChunk() == IO_OK) {
        ++chunks;
        uint32_t got = 0;
        if (r.isList())
            chunks += walkChunks(r, scratch);
        else
            r.readBlock(scratch.data(), std::min<uint32_t>(r.remaining(), scratch.size()), &got);
        r.leaveChunk();
    }
    return chunks;
}

double walkFile() {
    double start = seconds();
    FileSource source;
    if (!source.open(SCENE_PATH)) return 0;
    std::vector<unsigned char> scratch(1 << 16);
    ChunkReader r(source);
    walkChunks(r, scratch);
    return seconds() - start;
}

uint64_t fileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
    return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main() {
    PluginRegistry registry;
    std::string error;
    if (!registry.loadFolder(defaultPluginFolder(), error)) {
        std::fprintf(stderr, "scene_benchmark: %s\n", error.c_str());
        return 1;
    }
    Memory baseline = memoryNow();

    double saveBest = 1e9, loadBest = 1e9, fillBest = 1e9;
    Memory afterLoad = {};
    for (int run = 0; run < RUNS; ++run) {
        {
            Scene scene;
            double fillStart = seconds();
            if (!fillScene(registry, scene)) return 1;
            fillBest = std::min(fillBest, seconds() - fillStart);
            double start = seconds();
            if (!saveScene(scene, SCENE_PATH, error)) {
                std::fprintf(stderr, "scene_benchmark: %s\n", error.c_str());
                return 1;
            }
            saveBest = std::min(saveBest, seconds() - start);
        }
        Scene loaded;
        double start = seconds();
        if (!loadScene(registry, SCENE_PATH, loaded, error)) {
            std::fprintf(stderr, "scene_benchmark: %s\n", error.c_str());
            return 1;
        }
        loadBest = std::min(loadBest, seconds() - start);
        afterLoad = memoryNow();
        if (loaded.size() != HELPER_COUNT) return 1;
    }

    uint64_t size = fileSize(SCENE_PATH);
    std::vector<unsigned char> bytes(size, 0x5A);
    double rawWriteBest = 1e9, rawReadBest = 1e9, walkBest = 1e9;
    for (int run = 0; run < RUNS; ++run) {
        walkBest = std::min(walkBest, walkFile());
        rawWriteBest = std::min(rawWriteBest, rawWrite(bytes));
        rawReadBest = std::min(rawReadBest, rawRead(bytes));
    }
    DeleteFileA(SCENE_PATH);
    DeleteFileA(RAW_PATH);

    const double mb = size / (1024.0 * 1024.0);
    std::printf("scene of %d helpers: file %.2f MB (%llu bytes, %.1f bytes a helper)\n",
                HELPER_COUNT, mb, static_cast<unsigned long long>(size),
                double(size) / HELPER_COUNT);
    std::printf("best of %d runs          time (s)   MB/s\n", RUNS);
    std::printf("save scene              %8.3f %8.1f\n", saveBest, mb / saveBest);
    std::printf("one buffered write      %8.3f %8.1f\n", rawWriteBest, mb / rawWriteBest);
    std::printf("load scene              %8.3f %8.1f\n", loadBest, mb / loadBest);
    std::printf("one buffered read       %8.3f %8.1f\n", rawReadBest, mb / rawReadBest);
    std::printf("chunk walk, no objects  %8.3f %8.1f\n", walkBest, mb / walkBest);
    std::printf("save / raw write: %.2fx the time; load / raw read: %.2fx the time\n",
                saveBest / rawWriteBest, loadBest / rawReadBest);
    std::printf("making the same helpers and nodes without a file: %.3f s\n", fillBest);
    std::printf("memory before the scene: working set %.1f MB\n", baseline.workingSetMB);
    std::printf(
        "peak during save+load: working set %.1f MB (%.2fx file), private %.1f MB "
        "(%.2fx file)\n",
        afterLoad.peakWorkingSetMB, afterLoad.peakWorkingSetMB / mb, afterLoad.peakPrivateMB,
        afterLoad.peakPrivateMB / mb);
    std::printf("peak above the start: working set %.1f MB (%.2fx file)\n",
                afterLoad.peakWorkingSetMB - baseline.workingSetMB,
                (afterLoad.peakWorkingSetMB - baseline.workingSetMB) / mb);
    std::printf("working set with the loaded scene: %.1f MB (%.2fx file)\n", afterLoad.workingSetMB,
                afterLoad.workingSetMB / mb);
    return 0;
}
