// How far a long operation over a scene has come. Operations call the report now and then
// with what they did of how much; a null report is fine.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

using ProgressReport = std::function<void(uint64_t done, uint64_t total)>;

// A report that shows "task: NN%" on one terminal line (stderr) while an operation on a
// big scene runs; totals below minimumTotal stay quiet. Without a terminal on stderr (a
// log, a pipe) the report is silent unless progress was asked for.
ProgressReport terminalProgress(const std::string& task, uint64_t minimumTotal);
// Shows progress even when stderr is no terminal (the command line's --progress).
void askForProgress();

// How often a loop over nodes reports.
constexpr uint64_t PROGRESS_STEP = 1024;
