#include "recording_host.h"

HWND RecordingHost::addRollupPage(HINSTANCE module, int dlgId, DLGPROC proc, const char* title,
                                  LPARAM param, uint32_t flags) {
    calls.push_back("add " + std::to_string(dlgId) + " " + (title ? title : "(null)") +
                    (flags ? " flags " + std::to_string(flags) : ""));
    if (dlgId == failingDialog) return nullptr;
    HWND page = panel_.addRollupPage(module, dlgId, proc, title, param, flags);
    if (page) dialogOfPage_[page] = dlgId;
    return page;
}

void RecordingHost::registerPanelWindow(HWND page) {
    calls.push_back("register " + pageName(page));
    panel_.registerPanelWindow(page);
}

void RecordingHost::unregisterPanelWindow(HWND page) {
    calls.push_back("unregister " + pageName(page));
    panel_.unregisterPanelWindow(page);
}

void RecordingHost::deleteRollupPage(HWND page) {
    calls.push_back("delete " + pageName(page));
    panel_.deleteRollupPage(page);
    dialogOfPage_.erase(page);
}

TimeValue RecordingHost::currentTime() {
    calls.push_back("time");
    return time;
}

void RecordingHost::redrawViewports(TimeValue t, int mode, ReferenceTarget* changed) {
    calls.push_back("redraw " + std::to_string(t) + " " + std::to_string(mode) +
                    (changed ? " object" : " null"));
    panel_.redrawViewports(t, mode, changed);
}

std::string RecordingHost::pageName(HWND page) const {
    auto found = dialogOfPage_.find(page);
    return found == dialogOfPage_.end() ? "unknown" : std::to_string(found->second);
}
