// A host interface for panel tests: every call is written down in a readable line, and
// passed on to a real command panel, so the pages are real dialogs a test can click.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include <vector>
#include "panel/command_panel.h"

class RecordingHost final : public HostInterface {
public:
    explicit RecordingHost(CommandPanel& panel) : panel_(panel) {}

    HWND addRollupPage(HINSTANCE module, int dlgId, DLGPROC proc, const char* title, LPARAM param,
                       uint32_t flags) override;
    void registerPanelWindow(HWND page) override;
    void unregisterPanelWindow(HWND page) override;
    void deleteRollupPage(HWND page) override;
    TimeValue currentTime() override;
    void redrawViewports(TimeValue t, int mode, ReferenceTarget* changed) override;

    // Lines such as "add 110 Parameters", "register 110", "time", "redraw 4800 8 null";
    // a page is named by the dialog it was made from.
    std::vector<std::string> calls;
    int failingDialog = 0;  // addRollupPage of this dialog yields no window
    TimeValue time = 0;

private:
    std::string pageName(HWND page) const;

    CommandPanel& panel_;
    std::map<HWND, int> dialogOfPage_;
};
