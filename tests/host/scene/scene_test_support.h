// Shared pieces of the scene tests: the real plug-in's registry, scratch files, and a
// way to find a chunk in a saved file.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "plugins/plugin_registry.h"
#include "scene/chunk_reader.h"
#include "scene/scene.h"
#include "helper_nodes.h"

inline const PluginRegistry& pluginRegistry() {
    static PluginRegistry registry;
    static bool loaded = [] {
        std::string error;
        bool ok = registry.loadFolder("plugins", error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }();
    (void)loaded;
    return registry;
}

// A file in the working folder, removed (with any leftover temporary) at the end.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& tag)
        : path_("scene_" + tag + "_" + std::to_string(GetCurrentProcessId()) + ".vxs") {}
    ~ScratchFile() {
        DeleteFileA(path_.c_str());
        DeleteFileA((path_ + ".saving").c_str());
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline std::vector<unsigned char> readFileBytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(f, nullptr));
    DWORD got = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    CloseHandle(f);
    return bytes;
}

inline void writeFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
}

// Offset of the chunk reached by entering, at each level, the first chunk with that id
// (after skipping `skip` of them at the top level); -1 when there is none.
inline long chunkOffset(const std::vector<unsigned char>& bytes, std::vector<uint16_t> path,
                        int skip = 0) {
    MemorySource source(bytes);
    source.skip(14);  // the file header
    ChunkReader r(source);
    for (size_t level = 0; level < path.size(); ++level) {
        for (;;) {
            if (r.nextChunk() != IO_OK) return -1;
            if (r.chunkId() == path[level] && (level > 0 || skip-- == 0)) break;
            r.leaveChunk();
        }
    }
    return static_cast<long>(r.chunkOffset());
}

inline void putWord(std::vector<unsigned char>& bytes, long offset, uint32_t word) {
    std::memcpy(bytes.data() + offset, &word, 4);
}
