// Timings of the entity list with 10,000 helpers: reading every helper's entity (once per
// load), filling the list from the kept entities, and filtering it one keystroke at a time,
// each with the list painted. Not a test: run it by hand (build/bin/entity_list_bench.exe).
#include <windows.h>
#include <cstdio>
#include <memory>
#include <string>
#include "window/entity_list.h"
#include "session/host_session.h"
#include "bench_timing.h"

namespace {

constexpr int HELPERS = 10000;

void fillScene(HostSession& session, const PluginKind& door) {
    char name[32];
    for (int i = 0; i < HELPERS; ++i) {
        Object* helper = static_cast<Object*>(door.desc->create(0));
        std::snprintf(name, sizeof name, "Door%05d", i);
        Node* node = session.scene().add(helper, helper->ClassID(), helper->SuperClassID(), name);
        session.scene().setPosition(*node, Point3(float(i % 100) * 10, float(i / 100) * 10, 0));
    }
}

// The list as docked in the main window: 330 by 700 pixels, shown.
HWND dockWindow() {
    HWND dock = CreateWindowExA(0, "STATIC", "dock", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 340,
                                740, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return dock;
}

}  // namespace

int main() {
    HostSession session;
    std::string error;
    if (!session.start(error)) {
        std::fprintf(stderr, "entity_list_bench: %s\n", error.c_str());
        return 1;
    }
    const PluginKind* door = session.findKind("Door");
    if (!door) return 1;
    fillScene(session, *door);
    EntityIndex& index = session.entities();
    std::printf("%d helpers:\n", HELPERS);
    report("reading every helper (a load)",
           measure(5, 1,
                   [&] {
                       index.sceneChanged();
                       index.marks();
                   }),
           1e-3, "ms");

    HWND dock = dockWindow();
    std::unique_ptr<EntityListWindow> list;
    report("filling the list, painted",
           measure(5, 1,
                   [&] {
                       list.reset();
                       list = std::make_unique<EntityListWindow>(session);
                       list->create(dock, 1);
                       list->move(RECT{0, 0, 330, 700});
                       UpdateWindow(list->list());
                   }),
           1e-3, "ms");

    // "vault" matches no row: every keystroke compares all four columns of every node.
    const char* keystrokes[] = {"v", "va", "vau", "vaul", "vault", "vaul", "vau", "va", "v", ""};
    size_t next = 0;
    report("filtering, one keystroke, painted",
           measure(10, 10,
                   [&] {
                       SetWindowTextA(list->filterBox(), keystrokes[next++ % 10]);
                       UpdateWindow(list->list());
                   }),
           1e-3, "ms");
    SetWindowTextA(list->filterBox(), "door0999");
    UpdateWindow(list->list());
    std::printf("  (\"door0999\" leaves %d rows)\n",
                static_cast<int>(SendMessageA(list->list(), LVM_GETITEMCOUNT, 0, 0)));
    list.reset();
    DestroyWindow(dock);
    return 0;
}
