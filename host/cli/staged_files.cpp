#include <windows.h>
#include "cli/staged_files.h"

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

bool StagedFiles::commit(std::string& error) {
    for (auto it = staged_.begin(); it != staged_.end(); it = staged_.erase(it)) {
        // A path staged but never written (a failed render) has nothing to rename.
        if (GetFileAttributesA(it->second.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        if (!MoveFileExA(it->second.c_str(), it->first.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            error = it->first + ": cannot write the file (error " + std::to_string(GetLastError()) +
                    ")";
            discard();
            return false;
        }
    }
    return true;
}

void StagedFiles::discard() {
    for (const auto& entry : staged_) DeleteFileA(entry.second.c_str());
    staged_.clear();
}
