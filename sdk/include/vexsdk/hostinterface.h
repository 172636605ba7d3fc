// The host interface object an edited object receives: rollup pages, time, redraw.
#pragma once
#include <windows.h>
#include "api.h"

class ReferenceTarget;

constexpr uint32_t END_EDIT_REMOVEUI = 1;  // endEdit flag: delete the pages
constexpr int REDRAW_NORMAL = 8;

class HostInterface {
public:
    // Creates dialog dlgId from module's resources as a page of the command panel and
    // delivers WM_INITDIALOG with param; returns the page window or null.
    virtual HWND addRollupPage(HINSTANCE module, int dlgId, DLGPROC proc, const char* title,
                               LPARAM param, uint32_t flags) = 0;
    virtual void registerPanelWindow(HWND page) = 0;
    virtual void unregisterPanelWindow(HWND page) = 0;
    virtual void deleteRollupPage(HWND page) = 0;
    virtual TimeValue currentTime() = 0;
    virtual void redrawViewports(TimeValue t, int mode, ReferenceTarget* changed) = 0;

protected:
    ~HostInterface() = default;
};
