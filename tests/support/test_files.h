// Files and byte fields the tests share: scratch files in the working folder, whole-file
// reads and writes, and the fixed-size text fields of the helper's chunks.
#pragma once
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// A file in the working folder, removed (with any leftover temporary) at the end.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& tag, const std::string& extension = ".vxs")
        : path_("scratch_" + tag + "_" + std::to_string(GetCurrentProcessId()) + extension) {}
    ~ScratchFile() {
        DeleteFileA(path_.c_str());
        DeleteFileA((path_ + ".saving").c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The whole file, or nothing when it cannot be opened.
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

inline std::string readFile(const std::string& path) {
    std::vector<unsigned char> bytes = readFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

inline bool writeFile(const std::string& path, const void* data, size_t size) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    BOOL ok = WriteFile(f, data, static_cast<DWORD>(size), &done, nullptr);
    CloseHandle(f);
    return ok && done == size;
}

inline bool writeFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    return writeFile(path, bytes.data(), bytes.size());
}

inline bool writeFile(const std::string& path, const std::string& text) {
    return writeFile(path, text.data(), text.size());
}

inline bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fixed-size text field as stored: the name, then zeros to size bytes.
inline std::vector<unsigned char> nameField(const char* name, size_t size = 80) {
    std::vector<unsigned char> field(size, 0);
    std::memcpy(field.data(), name, std::min(size, std::strlen(name)));
    return field;
}

inline bool allZero(const void* p, size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i)
        if (b[i]) return false;
    return true;
}
