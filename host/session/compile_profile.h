// Compile profiles: named lists of programs that turn an exported level into what the game
// loads, kept in a plain text file of the user's. One keyword a line:
//
//   # a comment                      (blank lines are skipped too)
//   profile NAME                     starts a profile; NAME is the rest of the line
//   workdir FOLDER                   where the level is exported (default: the scene's folder)
//   base MAP                         the world written before helpers that have none
//   step NAME                        starts a step of the profile
//   launch                           starts the profile's launch step (at most one)
//   program PATH                     the step's program
//   arguments TEXT                   its command line after the program, as written
//   folder FOLDER                    where it runs (default: ${WORKDIR})
//
// ${MAP}, ${BSP}, ${NAME} and ${WORKDIR} in a workdir, program, arguments or folder line are
// replaced when a compile starts: the exported map, the output beside it, the level's name
// and the work folder.
#pragma once
#include <string>
#include <vector>

struct CompileStep {
    std::string name;  // "bsp"; "launch" for the launch step
    std::string program, arguments, folder;
    int line = 0;  // where the step starts in its file, for messages
};

struct CompileProfile {
    std::string name;
    std::string workdir;  // "" for the scene's folder
    std::string base;     // "" for none, as Export Map's base map
    std::vector<CompileStep> steps;
    bool hasLaunch = false;
    CompileStep launch;
};

// The profiles of a file's text; false with "FILE:LINE: message" at the first line that
// does not parse (file names the text in messages).
bool parseCompileProfiles(const std::string& text, const std::string& file,
                          std::vector<CompileProfile>& profiles, std::string& error);
// The same, read from path; a missing file is an error that says so.
bool readCompileProfiles(const std::string& path, std::vector<CompileProfile>& profiles,
                         std::string& error);

// The profile named name, or null.
const CompileProfile* findProfile(const std::vector<CompileProfile>& profiles,
                                  const std::string& name);

// What the variables stand for in one compile.
struct CompileVariables {
    std::string map, bsp, name, workdir;
};
// The variables of a level named name exported into workdir (no trailing separator).
CompileVariables compileVariables(const std::string& workdir, const std::string& name);
// text with each ${VARIABLE} replaced (parsing has refused any other).
std::string expandVariables(const std::string& text, const CompileVariables& variables);
// A step as it runs: every field expanded, the folder defaulting to the work folder.
CompileStep expandedStep(const CompileStep& step, const CompileVariables& variables);

// Where the user's profile file lives: %APPDATA%\vexalhost\compile-profiles.txt, or beside
// the program when there is no APPDATA.
std::string defaultProfilesPath();
// A profile for the usual tool chain (bsp, vis, light and a launch) whose program paths the
// user fills in: what a first run offers.
std::string exampleProfilesText();
