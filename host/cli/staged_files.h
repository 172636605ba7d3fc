// The files a script writes, held back until it ends: each is written under a temporary
// name beside its own, and all are renamed to their names only when the whole script has
// run without error. A script that fails leaves none of them behind.
#pragma once
#include <map>
#include <string>

class StagedFiles {
public:
    StagedFiles() = default;
    ~StagedFiles() { discard(); }
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Where to write the file meant for path.
    std::string writePath(const std::string& path);
    // Where to read path from: the file written for it earlier in the script, if any.
    std::string readPath(const std::string& path) const;
    // Renames every written file to its name; false with a message at the first that
    // cannot be, with every file it replaced put back: all are replaced, or none.
    bool commit(std::string& error);
    // Removes every written file.
    void discard();

private:
    std::map<std::string, std::string> staged_;  // path -> temporary name
};
