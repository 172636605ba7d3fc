#include "session/compile_job.h"
#include <windows.h>
#include "session/host_session.h"
#include "session/map_commands.h"

namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string levelName(const std::string& scenePath) {
    const size_t slash = scenePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? scenePath : scenePath.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

// Steps run in folders of their own: a relative work folder would mean another in each.
std::string fullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(full, n) : path;
}

bool makeWorkFolder(const std::string& folder, std::string& error) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    error = "cannot make the work folder \"" + folder + "\"";
    return false;
}

void loadLeak(const CompilePlan& plan, unsigned long long since, const CompileEvents& events) {
    const std::string path = pointFileAfter(plan.variables.workdir, plan.variables.name, since);
    if (path.empty()) return;
    PointFile leak;
    std::string error;
    if (!loadPointFile(path, leak, error)) {
        if (events.pointFileUnreadable) events.pointFileUnreadable(error);
    } else if (events.pointFile) {
        events.pointFile(leak);
    }
}

}  // namespace

bool prepareCompile(HostSession& session, const CompileProfile& profile,
                    const std::string& scenePath, CompilePlan& plan, std::string& error) {
    if (scenePath.empty() && profile.workdir.empty()) {
        error = "save the scene first: the level is named after its file";
        return false;
    }
    const std::string name = scenePath.empty() ? "untitled" : levelName(scenePath);
    const CompileVariables folderOnly = compileVariables("", name);
    const std::string workdir =
        fullPath(profile.workdir.empty() ? folderOf(scenePath)
                                         : expandVariables(profile.workdir, folderOnly));
    plan.profile = profile.name;
    plan.variables = compileVariables(workdir, name);
    plan.steps.clear();
    for (const CompileStep& step : profile.steps)
        plan.steps.push_back(expandedStep(step, plan.variables));
    plan.hasLaunch = profile.hasLaunch;
    if (profile.hasLaunch) plan.launch = expandedStep(profile.launch, plan.variables);
    const std::string base = sceneHasWorld(session.scene()) ? "" : profile.base;
    return makeWorkFolder(workdir, error) && exportMap(session, plan.variables.map, base, error);
}

bool runCompile(const CompilePlan& plan, const CompileEvents& events,
                const std::atomic<bool>& cancel) {
    for (size_t i = 0; i < plan.steps.size(); ++i) {
        if (events.stepStarted) events.stepStarted(i, plan.steps[i]);
        const unsigned long long started = fileTimeNow();
        const StepOutcome outcome = runStep(plan.steps[i], events.line, cancel);
        if (events.stepEnded) events.stepEnded(i, outcome);
        if (outcome.end != StepOutcome::End::NotStarted) loadLeak(plan, started, events);
        if (!outcome.succeeded()) return false;
    }
    return true;
}

BackgroundCompile::~BackgroundCompile() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

bool BackgroundCompile::start(CompilePlan plan, CompileEvents events,
                              std::function<void(bool)> finished) {
    if (running_) return false;
    if (worker_.joinable()) worker_.join();
    cancel_ = false;
    running_ = true;
    worker_ = std::thread(
        [this, plan = std::move(plan), events = std::move(events), finished = std::move(finished)] {
            const bool succeeded = runCompile(plan, events, cancel_);
            running_ = false;
            finished(succeeded);
        });
    return true;
}
