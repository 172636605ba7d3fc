// "vexalhost compile SCENE --profile NAME [--profiles FILE]": a compile without a window, for
// build servers. The steps' output goes to the terminal as it comes; the exit status is the
// first failing step's (1 when it could not start), 0 when every step succeeded.
#pragma once

class HostSession;

// words: the whole command line, "compile" at index 1.
int compileCommand(HostSession& session, int argc, char** argv);
