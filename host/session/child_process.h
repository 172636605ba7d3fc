// One step of a compile as a child process: started in the step's folder with its standard
// output and error on one pipe, read line by line as they come, in a job object so that
// cancelling ends the program and every program it started.
#pragma once
#include <windows.h>
#include <atomic>
#include <string>
#include "session/compile_profile.h"
#include "session/output_lines.h"

struct StepOutcome {
    enum class End { Exited, Cancelled, NotStarted };
    End end = End::NotStarted;
    DWORD exitCode = 0;
    std::string problem;  // why it did not start
    double seconds = 0;   // from start to end

    bool succeeded() const { return end == End::Exited && exitCode == 0; }
    // "exit 0 (1.2 s)", "exit 3 (0.4 s)", "cancelled (5.0 s)", or the problem.
    std::string text() const;
};

// Runs a step (its fields expanded) to its end, handing each line of its output to sink on
// the calling thread. Setting cancel (from any thread) ends the program and its children
// within a few milliseconds. Its standard input is empty, so a program that asks waits for
// nothing.
StepOutcome runStep(const CompileStep& step, const LineSink& sink, const std::atomic<bool>& cancel);

// Starts a program without waiting for it or reading its output (the game at a launch);
// false with a message.
bool startDetached(const CompileStep& step, std::string& error);
