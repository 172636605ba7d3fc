#include <windows.h>
#include "cli/staged_files.h"
#include <vector>
#include "scene/byte_io.h"

std::string StagedFiles::writePath(const std::string& path) {
    auto found = staged_.find(path);
    if (found != staged_.end()) return found->second;
    const std::string temporary = path + ".script-" + std::to_string(GetCurrentProcessId());
    staged_[path] = temporary;
    return temporary;
}

std::string StagedFiles::readPath(const std::string& path) const {
    auto found = staged_.find(path);
    return found != staged_.end() ? found->second : path;
}

namespace {

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A file put in place, and where the file it replaced waits ("" when there was none).
struct Placed {
    std::string path, previous;
};

// Takes back what was put in place, newest first: every old file returns.
void restore(const std::vector<Placed>& placed) {
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        DeleteFileA(it->path.c_str());
        if (!it->previous.empty()) MoveFileExA(it->previous.c_str(), it->path.c_str(), 0);
    }
}

}  // namespace

bool StagedFiles::commit(std::string& error) {
    // A path staged but never written (a failed render) has nothing to rename.
    std::vector<std::pair<std::string, std::string>> written;
    for (const auto& entry : staged_)
        if (exists(entry.second)) written.push_back(entry);
    for (const auto& entry : written)
        if (isFolder(entry.first)) {
            error = entry.first + ": cannot write the file: a folder has that name";
            discard();
            return false;
        }
    // Each old file steps aside before its new one moves in, so that a failure halfway
    // can put every old file back: all the files are replaced, or none.
    std::vector<Placed> placed;
    const std::string aside = ".script-old-" + std::to_string(GetCurrentProcessId());
    for (const auto& [path, temporary] : written) {
        Placed step{path, exists(path) ? path + aside : ""};
        const bool movedAside =
            step.previous.empty() ||
            MoveFileExA(path.c_str(), step.previous.c_str(), MOVEFILE_REPLACE_EXISTING);
        if (!movedAside || !MoveFileExA(temporary.c_str(), path.c_str(), 0)) {
            error = path + ": cannot write the file (" + systemErrorText(GetLastError()) +
                    "); no file of the script was replaced";
            if (movedAside && !step.previous.empty())
                MoveFileExA(step.previous.c_str(), path.c_str(), 0);
            restore(placed);
            discard();
            return false;
        }
        placed.push_back(step);
    }
    for (const Placed& step : placed)
        if (!step.previous.empty()) DeleteFileA(step.previous.c_str());
    staged_.clear();
    return true;
}

void StagedFiles::discard() {
    for (const auto& entry : staged_) DeleteFileA(entry.second.c_str());
    staged_.clear();
}
