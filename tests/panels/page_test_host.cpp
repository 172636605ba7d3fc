#include "page_test_host.h"
#include <algorithm>

PageTestHost::PageTestHost() {
    panel_ = CreateWindowExA(0, "STATIC", "Command panel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             260, 900, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(panel_);
}

PageTestHost::~PageTestHost() { DestroyWindow(panel_); }

HWND PageTestHost::addRollupPage(HINSTANCE module, int dlgId, DLGPROC proc, const char*,
                                 LPARAM param, uint32_t) {
    HWND page = CreateDialogParamA(module, MAKEINTRESOURCEA(dlgId), panel_, proc, param);
    if (!page) return nullptr;
    RECT r;
    GetWindowRect(page, &r);
    SetWindowPos(page, nullptr, 0, nextTop_, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    nextTop_ += r.bottom - r.top;
    pages_.push_back({page, dlgId});
    return page;
}

void PageTestHost::deleteRollupPage(HWND page) {
    pages_.erase(std::remove_if(pages_.begin(), pages_.end(),
                                [page](const Page& p) { return p.window == page; }),
                 pages_.end());
    DestroyWindow(page);
}

HWND PageTestHost::page(int dlgId) const {
    for (const Page& p : pages_)
        if (p.dlgId == dlgId) return p.window;
    return nullptr;
}
