// How long the command panel takes to re-open the edit of a helper whose class was just
// picked in its class list: every page torn down and built again for the new class (door
// pages, then light pages, and so on), as the host does after such a pick. Beside it, what
// the same number of bare windows costs to create and destroy on this machine: under
// Wine that cost is most of a re-open, and it sets the floor.
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

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int countWindows(HWND parent) {
    int count = 0;
    EnumChildWindows(
        parent, [](HWND, LPARAM counter) { return ++*reinterpret_cast<int*>(counter), TRUE; },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// A hidden parent holding count visible static windows.
HWND bareWindows(int count) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    for (int i = 0; i < count; ++i)
        CreateWindowExA(0, "STATIC", "x", WS_CHILD | WS_VISIBLE, 0, i * 4, 100, 12, parent, nullptr,
                        nullptr, nullptr);
    return parent;
}

// What a re-open that destroyed `destroyed` windows and made `made` would cost if each were
// a bare window; the windows it makes are destroyed afterwards, untimed.
double bareWindowsMs(int destroyed, int made) {
    HWND old = bareWindows(destroyed);
    const auto start = Clock::now();
    DestroyWindow(old);
    HWND fresh = bareWindows(made);
    const double ms = msSince(start);
    DestroyWindow(fresh);
    return ms;
}

}  // namespace

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
    scene.setSelection({scene.add(object, object->ClassID(), object->SuperClassID(), "door")});
    CommandPanel panel;
    if (!panel.create(nullptr, RECT{40, 40, 240, 700})) return 1;
    EditSession session(panel);
    session.followSelection(scene);

    const char* classes[] = {"light", "func_door", "trigger_once"};
    std::vector<double> ms, bare;
    int windows = countWindows(panel.window());
    for (int i = 0; i < rounds; ++i) {
        clickListItem(panel.findControl("Class"), classes[i % 3]);  // not timed
        const auto start = Clock::now();
        {
            CommandPanel::RedrawHold hold(panel);
            session.reopen();
        }
        ms.push_back(msSince(start));
        // As many bare windows as this re-open destroyed and made.
        const int now = countWindows(panel.window());
        bare.push_back(bareWindowsMs(windows, now));
        windows = now;
    }
    session.edit(nullptr);
    const double reopen = median(ms), floor = median(bare);
    std::sort(ms.begin(), ms.end());
    std::printf(
        "re-opening the edit after a class pick (pages torn down and built), %d rounds\n"
        "through light, door and trigger pages, command panel under Wine:\n"
        "  median %.2f ms, 90th percentile %.2f ms, slowest %.2f ms (budget 20 ms)\n"
        "  as many bare windows destroyed and made: median %.2f ms;\n"
        "  a re-open costs %.2f times that\n",
        rounds, reopen, ms[ms.size() * 9 / 10], ms.back(), floor, reopen / floor);
    // A measurement reports; on a loaded machine the budget may be missed, which it says.
    std::printf("  90th percentile %s the budget\n",
                ms[ms.size() * 9 / 10] < 20.0 ? "within" : "over");
    return 0;
}
