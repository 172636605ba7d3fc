// The host's command line: vexalhost [kinds | run SCRIPT | list SCENE | render SCENE ... | window
// [SCENE]].
#pragma once

int runCommandLine(int argc, char** argv);
