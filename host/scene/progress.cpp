#include "scene/progress.h"
#include <io.h>
#include <cstdio>
#include <memory>

namespace {
bool progressAsked = false;
}

void askForProgress() { progressAsked = true; }

ProgressReport terminalProgress(const std::string& task, uint64_t minimumTotal) {
    if (!progressAsked && !_isatty(_fileno(stderr))) return {};
    auto shown = std::make_shared<int>(-1);
    return [task, minimumTotal, shown](uint64_t done, uint64_t total) {
        if (total < minimumTotal || total == 0) return;
        int percent = static_cast<int>(done * 100 / total);
        if (percent == *shown) return;
        *shown = percent;
        std::fprintf(stderr, "\r%s: %3d%%%s", task.c_str(), percent, done >= total ? "\n" : "");
        std::fflush(stderr);
    };
}
