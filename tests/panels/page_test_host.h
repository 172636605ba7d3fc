// A command panel for page tests: the host side of the rollup pages, with real dialogs
// made from the module's resources inside one visible top-level window. It counts the
// viewport redraws that the pages ask for.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "vexsdk/hostinterface.h"

class PageTestHost : public HostInterface {
public:
    PageTestHost();
    ~PageTestHost();

    HWND addRollupPage(HINSTANCE module, int dlgId, DLGPROC proc, const char* title, LPARAM param,
                       uint32_t flags) override;
    void registerPanelWindow(HWND) override {}
    void unregisterPanelWindow(HWND) override {}
    void deleteRollupPage(HWND page) override;
    TimeValue currentTime() override { return 0; }
    void redrawViewports(TimeValue, int, ReferenceTarget*) override { ++redraws; }

    // The shown page made from dialog dlgId, or null.
    HWND page(int dlgId) const;

    int redraws = 0;

private:
    struct Page {
        HWND window;
        int dlgId;
    };
    HWND panel_;
    std::vector<Page> pages_;
    int nextTop_ = 0;
};
