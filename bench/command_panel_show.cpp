// Shows the command panel editing one helper of the given kind ("Door" unless named), for
// trying the pages by hand and for pictures of them. Ends after the given number of
// seconds (default 30); turns the mouse wheel down by the given number of notches first.
//   command_panel_show.exe [kind] [seconds] [notches]
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "panel/command_panel.h"
#include "panel/edit_session.h"
#include "plugins/plugin_registry.h"
#include "scene/scene.h"

int main(int argc, char** argv) {
    const std::string kindName = argc > 1 ? argv[1] : "Door";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    const int notches = argc > 3 ? std::atoi(argv[3]) : 0;
    PluginRegistry registry;
    std::string error;
    if (!registry.loadFolder(defaultPluginFolder(), error)) {
        std::fprintf(stderr, "command_panel_show: %s\n", error.c_str());
        return 1;
    }
    const PluginKind* kind = registry.findByName(kindName);
    if (!kind) {
        std::fprintf(stderr, "command_panel_show: no kind \"%s\"\n", kindName.c_str());
        return 1;
    }
    Scene scene;
    auto* object = static_cast<Object*>(kind->desc->create(0));
    Node* node = scene.add(object, object->ClassID(), object->SuperClassID(),
                           scene.uniqueName(kind->className));
    scene.setSelection({node});

    CommandPanel panel;
    if (!panel.create(nullptr, RECT{40, 40, 240, 560})) return 1;
    EditSession session(panel);
    session.followSelection(scene);
    for (int i = 0; i < notches; ++i)
        SendMessageA(panel.window(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);

    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && !msg.hwnd) break;
        if (panel.translateMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    session.edit(nullptr);
    return 0;
}
