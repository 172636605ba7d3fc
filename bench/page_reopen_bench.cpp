// How long the command panel takes to re-open the edit of a helper whose class was just
// picked in its class list: every page torn down and built again for the new class (door
// pages, then light pages, and so on), as the host does after such a pick.
//   page_reopen_bench.exe [rounds]   (default 200)
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "panel/command_panel.h"
#include "panel/edit_session.h"
#include "panel/panel_controls.h"
#include "plugins/plugin_registry.h"
#include "scene/scene.h"

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    PluginRegistry registry;
    std::string error;
    const PluginKind* kind =
        registry.loadFolder(defaultPluginFolder(), error) ? registry.findByName("Door") : nullptr;
    if (!kind) {
        std::fprintf(stderr, "page_reopen_bench: %s\n", error.c_str());
        return 1;
    }
    Scene scene;
    auto* object = static_cast<Object*>(kind->desc->create(0));
    scene.add(object, object->ClassID(), object->SuperClassID(), "door")->selected = true;
    CommandPanel panel;
    if (!panel.create(nullptr, RECT{40, 40, 240, 700})) return 1;
    EditSession session(panel);
    session.followSelection(scene);

    const char* classes[] = {"light", "func_door", "trigger_once"};
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        clickListItem(panel.findControl("Class"), classes[i % 3]);  // not timed
        const auto start = std::chrono::steady_clock::now();
        {
            CommandPanel::RedrawHold hold(panel);
            session.reopen();
        }
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    session.edit(nullptr);
    std::sort(ms.begin(), ms.end());
    std::printf(
        "re-opening the edit after a class pick (pages torn down and built), %d rounds\n"
        "through light, door and trigger pages, command panel under Wine:\n"
        "  median %.2f ms, 90th percentile %.2f ms, slowest %.2f ms (budget 20 ms)\n",
        rounds, ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back());
    return ms[ms.size() * 9 / 10] < 20.0 ? 0 : 2;
}
