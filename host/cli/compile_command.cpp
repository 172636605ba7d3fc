#include "cli/compile_command.h"
#include <cstdio>
#include <string>
#include <vector>
#include "session/compile_job.h"
#include "session/host_session.h"

namespace {

struct CompileArguments {
    std::string scene, profile, profilesPath = defaultProfilesPath();
};

bool readArguments(int argc, char** argv, CompileArguments& arguments, std::string& error) {
    if (argc < 3) {
        error = "compile needs a scene: compile SCENE --profile NAME [--profiles FILE]";
        return false;
    }
    arguments.scene = argv[2];
    for (int i = 3; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            error = option + " needs a value";
            return false;
        }
        if (option == "--profile") {
            arguments.profile = argv[i + 1];
        } else if (option == "--profiles") {
            arguments.profilesPath = argv[i + 1];
        } else {
            error = "unknown option " + option + " (--profile NAME, --profiles FILE)";
            return false;
        }
    }
    if (arguments.profile.empty()) error = "compile needs --profile NAME";
    return error.empty();
}

std::string profileNames(const std::vector<CompileProfile>& profiles) {
    std::string names;
    for (const CompileProfile& p : profiles) names += (names.empty() ? "" : ", ") + p.name;
    return names;
}

// The terminal sees each line as it comes, not when a buffer fills.
CompileEvents terminalEvents(const CompilePlan& plan, int& failedExit) {
    CompileEvents events;
    events.stepStarted = [&plan](size_t i, const CompileStep& step) {
        std::printf("== %s (%zu of %zu): \"%s\" %s\n", step.name.c_str(), i + 1, plan.steps.size(),
                    step.program.c_str(), step.arguments.c_str());
        std::fflush(stdout);
    };
    events.line = [](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    };
    events.stepEnded = [&plan, &failedExit](size_t i, const StepOutcome& outcome) {
        std::printf("== %s: %s\n", plan.steps[i].name.c_str(), outcome.text().c_str());
        std::fflush(stdout);
        if (outcome.succeeded()) return;
        const bool exited = outcome.end == StepOutcome::End::Exited;
        failedExit = exited ? static_cast<int>(outcome.exitCode) : 1;
    };
    events.pointFile = [](const PointFile& leak) {
        std::printf("%s: %s\n", leak.path.c_str(), leak.summary().c_str());
    };
    events.pointFileUnreadable = [](const std::string& problem) {
        std::fprintf(stderr, "vexalhost: %s\n", problem.c_str());
    };
    return events;
}

}  // namespace

int compileCommand(HostSession& session, int argc, char** argv) {
    CompileArguments arguments;
    std::vector<CompileProfile> profiles;
    std::string error;
    CompilePlan plan;
    const CompileProfile* profile = nullptr;
    if (readArguments(argc, argv, arguments, error) &&
        readCompileProfiles(arguments.profilesPath, profiles, error)) {
        profile = findProfile(profiles, arguments.profile);
        if (!profile)
            error = arguments.profilesPath + ": no profile named \"" + arguments.profile +
                    "\" (there are: " + profileNames(profiles) + ")";
    }
    if (!profile || !session.load(arguments.scene, error) ||
        !prepareCompile(session, *profile, arguments.scene, plan, error)) {
        std::fprintf(stderr, "vexalhost: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: exported for profile %s\n", plan.variables.map.c_str(), plan.profile.c_str());
    int failedExit = 0;
    const std::atomic<bool> never{false};
    const bool succeeded = runCompile(plan, terminalEvents(plan, failedExit), never);
    std::printf("compile %s\n", succeeded ? "succeeded" : "failed");
    return succeeded ? 0 : (failedExit != 0 ? failedExit : 1);
}
