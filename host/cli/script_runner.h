// Runs a host script: one command a line, '#' comments, every error reported with the
// script's name and the line number. The whole script is checked before anything runs, and
// the files it writes get their names only once every line has run, so a script with a
// mistake in it leaves no file behind.
#pragma once
#include <cstdio>
#include <string>
#include <vector>
#include "cli/script_lexer.h"

class HostSession;
class StagedFiles;
struct CheckedLine;

class ScriptRunner {
public:
    ScriptRunner(HostSession& session, std::FILE* out) : session_(session), out_(out) {}

    // Runs the script file; false after printing "<file>:<line>: <message>" to stderr.
    bool runFile(const std::string& path);
    // Runs script text; name is used in messages.
    bool runText(const std::string& name, const std::string& text);

    // The last error, as printed.
    const std::string& error() const { return error_; }

private:
    // Reads the line's arguments, once, and checks them before anything runs.
    bool check(CheckedLine& line, std::string& message);
    bool execute(CheckedLine& line, const std::string& name, StagedFiles& files,
                 std::string& message);
    bool fail(const std::string& name, int line, const std::string& message);

    HostSession& session_;
    std::FILE* out_;
    std::string error_;
};
