// vexalhost: the reference host. Loads the plug-ins of its folder and drives them.
#include "app/command_line.h"

int main(int argc, char** argv) { return runCommandLine(argc, argv); }
