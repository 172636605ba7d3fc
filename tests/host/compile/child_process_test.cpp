// Steps as child processes with the compiler stand-in: the output line by line, exit
// statuses, what is not text, cancel ending the whole tree, and a compile's steps in order.
#include <gtest/gtest.h>
#include <thread>
#include "host_process.h"
#include "session/compile_job.h"
#include "standin.h"

namespace {

CompileStep standinStep(const std::string& name, const std::string& arguments,
                        const std::string& folder = ".") {
    return {name, standinPath(), arguments, folder, 1};
}

struct StepRun {
    std::vector<std::string> lines;
    StepOutcome outcome;
};

StepRun runStandin(const std::string& arguments) {
    StepRun run;
    const std::atomic<bool> never{false};
    run.outcome = runStep(
        standinStep("s", arguments), [&](const std::string& line) { run.lines.push_back(line); },
        never);
    return run;
}

bool processRunning(DWORD id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process) return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

TEST(CompileSteps, OutputComesLineByLineWithTheExitStatus) {
    const struct {
        const char* arguments;
        std::vector<std::string> lines;
        DWORD exitCode;
    } cases[] = {
        {"say one warn \"two words\" say three", {"one", "two words", "three"}, 0},
        {"say \"Error: no room\" exit 3 say never", {"Error: no room"}, 3},
        {"bytes", {"a?b??c"}, 0},
    };
    for (const auto& c : cases) {
        const StepRun run = runStandin(c.arguments);
        EXPECT_EQ(run.lines, c.lines) << c.arguments;
        EXPECT_EQ(run.outcome.end, StepOutcome::End::Exited) << c.arguments;
        EXPECT_EQ(run.outcome.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(run.outcome.succeeded(), c.exitCode == 0);
    }
}

TEST(CompileSteps, LinesArriveWhileTheStepRuns) {
    std::vector<ULONGLONG> arrivals;
    const std::atomic<bool> never{false};
    runStep(
        standinStep("s", "say first sleep 700 say second"),
        [&](const std::string&) { arrivals.push_back(GetTickCount64()); }, never);
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_GE(arrivals[1] - arrivals[0], 500u);
}

TEST(CompileSteps, AProgramOrFolderThatIsNotThereIsSaidAndNothingRuns) {
    const std::atomic<bool> never{false};
    const StepOutcome noProgram = runStep({"bsp", "C:\\no\\bsp.exe", "", ".", 1}, {}, never);
    EXPECT_EQ(noProgram.end, StepOutcome::End::NotStarted);
    EXPECT_EQ(noProgram.text(),
              "no program at \"C:\\no\\bsp.exe\" (step bsp: fill in its path in the profile)");
    const StepOutcome noFolder = runStep(standinStep("vis", "", "C:\\no\\folder"), {}, never);
    EXPECT_EQ(noFolder.text(), "no folder \"C:\\no\\folder\" to run step vis in");
}

// A step that hangs, with a child of its own: cancel ends both, at once.
TEST(CompileSteps, CancelEndsTheStepAndTheProgramsItStarted) {
    std::atomic<bool> cancel{false};
    DWORD child = 0;
    const ULONGLONG start = GetTickCount64();
    const StepOutcome outcome = runStep(
        standinStep("s", "spawn sleep 60000"),
        [&](const std::string& line) {
            if (line.rfind("spawned ", 0) == 0) {
                child = std::stoul(line.substr(8));
                cancel = true;
            }
        },
        cancel);
    EXPECT_EQ(outcome.end, StepOutcome::End::Cancelled);
    EXPECT_LT(GetTickCount64() - start, 20000u);
    ASSERT_NE(child, 0u);
    for (int i = 0; i < 50 && processRunning(child); ++i) Sleep(100);
    EXPECT_FALSE(processRunning(child));
}

TEST(CompileJob, TheFirstFailingStepStopsTheRestAndALeakIsLoaded) {
    const std::string folder = makeScratchFolder("compile-job");
    CompilePlan plan;
    plan.variables = compileVariables(folder, "level");
    plan.steps = {
        standinStep("bsp",
                    "say leaked points \"" + plan.variables.workdir + "\\level.pts\" 5 exit 2",
                    folder),
        standinStep("vis", "say never", folder)};
    std::vector<std::string> log;
    PointFile leak;
    CompileEvents events;
    events.stepStarted = [&](size_t i, const CompileStep& s) {
        log.push_back(std::to_string(i) + s.name);
    };
    events.line = [&](const std::string& line) { log.push_back(line); };
    events.stepEnded = [&](size_t, const StepOutcome& o) { log.push_back(o.text().substr(0, 6)); };
    events.pointFile = [&](const PointFile& file) { leak = file; };
    const std::atomic<bool> never{false};
    EXPECT_FALSE(runCompile(plan, events, never));
    EXPECT_EQ(log, (std::vector<std::string>{"0bsp", "leaked", "exit 2"}));
    EXPECT_EQ(leak.points.size(), 5u);
    EXPECT_EQ(leak.summary(), "Leak: 5 points, 1 line skipped (first at line 6)");
}

TEST(CompileJob, ASecondCompileIsRefusedWhileOneRuns) {
    CompilePlan plan;
    plan.variables = compileVariables(".", "level");
    plan.steps = {standinStep("bsp", "sleep 60000")};
    BackgroundCompile compile;
    std::atomic<int> finished{-1};
    ASSERT_TRUE(compile.start(plan, {}, [&](bool ok) { finished = ok; }));
    EXPECT_TRUE(compile.running());
    EXPECT_FALSE(compile.start(plan, {}, [](bool) {}));
    compile.cancel();
    for (int i = 0; i < 200 && compile.running(); ++i) Sleep(50);
    EXPECT_FALSE(compile.running());
    EXPECT_EQ(finished, 0);
}

}  // namespace
