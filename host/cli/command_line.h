// The host's command line: vexalhost [kinds | run SCRIPT | list SCENE | render SCENE ... |
// export SCENE OUT.map [--base BASE.map] | import IN.map OUT.vxs | check SCENE | window [SCENE]].
#pragma once

// Takes "--progress" out of the arguments, wherever it stands, and asks for progress
// reports; the number of arguments left.
int withoutProgressOption(int argc, char** argv);

// Runs every command but the window, which is refused here for want of a display; with no
// command, the usage and the kinds.
int runCommandLine(int argc, char** argv);
