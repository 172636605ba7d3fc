// vexalhost: the reference host. Loads the plug-ins of its folder and drives them, in its
// window where a display exists, else from the command line.
#include <string>
#include "cli/command_line.h"
#include "window/display_check.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
    argc = withoutProgressOption(argc, argv);
    const std::string command = argc > 1 ? argv[1] : "";
    if ((command.empty() || command == "window") && displayAvailable())
        return runMainWindow(argc > 2 ? argv[2] : nullptr);
    return runCommandLine(argc, argv);
}
