#include "window/overlay_menu.h"
#include <algorithm>
#include <iterator>

namespace {

const struct {
    OverlayCommand id;
    LabelMode mode;
    const char* text;
} labelItems[] = {
    {CMD_LABELS_ALL, LabelMode::All, "&All"},
    {CMD_LABELS_SELECTED, LabelMode::Selected, "&Selected Only"},
    {CMD_LABELS_NONE, LabelMode::None, "&None"},
};

void showChecks(HMENU menu, const OverlayOptions& options) {
    for (const auto& item : labelItems)
        if (item.mode == options.labels)
            CheckMenuRadioItem(menu, CMD_LABELS_ALL, CMD_LABELS_NONE, item.id, MF_BYCOMMAND);
    CheckMenuItem(menu, CMD_LINKS, MF_BYCOMMAND | (options.links ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

void appendOverlayMenu(HMENU viewMenu, const OverlayOptions& options) {
    HMENU labels = CreatePopupMenu();
    for (const auto& item : labelItems) AppendMenuA(labels, MF_STRING, item.id, item.text);
    AppendMenuA(viewMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(viewMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(labels), "&Labels");
    AppendMenuA(viewMenu, MF_STRING, CMD_LINKS, "Lin&ks");
    showChecks(viewMenu, options);
}

bool runOverlayCommand(HMENU menuBar, int id, OverlayOptions& options) {
    if (id == CMD_LINKS) {
        options.links = !options.links;
    } else {
        const auto* item = std::find_if(std::begin(labelItems), std::end(labelItems),
                                        [id](const auto& i) { return i.id == id; });
        if (item == std::end(labelItems)) return false;
        options.labels = item->mode;
    }
    showChecks(menuBar, options);
    return true;
}
