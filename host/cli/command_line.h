// The host's command line: vexalhost [kinds | run SCRIPT | list SCENE | render SCENE ... |
// export SCENE OUT.map [--base BASE.map] | import IN.map OUT.vxs | check SCENE | window [SCENE]].
#pragma once

int runCommandLine(int argc, char** argv);
