// A compile: the scene exported into the profile's work folder, then the profile's steps
// run in order as child processes, their output streamed line by line; the first step that
// fails stops the rest. After each step a point file it left is loaded (the leak's path).
// The steps run on whichever thread calls runCompile: the command line's own, or a worker
// of the window's (BackgroundCompile), so the window keeps answering while they run.
#pragma once
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include "session/child_process.h"
#include "session/compile_profile.h"
#include "session/point_file.h"

class HostSession;

struct CompilePlan {
    std::string profile;
    CompileVariables variables;
    std::vector<CompileStep> steps;  // expanded
    bool hasLaunch = false;
    CompileStep launch;  // expanded
};

// Exports the scene as the profile asks (into its work folder, the scene's
// own folder by default, the level named after the scene file) and expands its steps. The
// export stores text being typed first. The scene's path may be empty when the profile names a work
// folder. False with a message.
bool prepareCompile(HostSession& session, const CompileProfile& profile,
                    const std::string& scenePath, CompilePlan& plan, std::string& error);

// What a compile reports as it goes, all on the compiling thread.
struct CompileEvents {
    std::function<void(size_t index, const CompileStep& step)> stepStarted;
    LineSink line;
    std::function<void(size_t index, const StepOutcome& outcome)> stepEnded;
    std::function<void(const PointFile& leak)> pointFile;
    std::function<void(const std::string& problem)> pointFileUnreadable;
};

// Runs the plan's steps; true when every one exited with 0.
bool runCompile(const CompilePlan& plan, const CompileEvents& events,
                const std::atomic<bool>& cancel);

// One compile at a time on a thread of its own.
class BackgroundCompile {
public:
    BackgroundCompile() = default;
    ~BackgroundCompile();  // cancels a compile still running and waits for its end
    BackgroundCompile(const BackgroundCompile&) = delete;
    BackgroundCompile& operator=(const BackgroundCompile&) = delete;

    // Starts the plan; false while another compile runs. finished(succeeded) is the last
    // call on the worker thread.
    bool start(CompilePlan plan, CompileEvents events, std::function<void(bool)> finished);
    bool running() const { return running_; }
    void cancel() { cancel_ = true; }

private:
    std::thread worker_;
    std::atomic<bool> running_{false}, cancel_{false};
};
