// The window's map text commands: File > Import Map... and Export Map..., and Edit > Check.
// Check's report and an import's warnings each open in a window beside the main one (or over
// its views when the screen has no room), where a double click selects the node and shows it; while
// Check's report is shown it follows the scene's changes. An import sums up its warnings on the
// status bar.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "session/map_commands.h"
#include "window/findings_window.h"

class HostSession;

class MapMenu {
public:
    MapMenu(HostSession& session, HWND owner);
    MapMenu(const MapMenu&) = delete;
    MapMenu& operator=(const MapMenu&) = delete;

    void importMap();
    void importMap(const std::string& path);
    void exportMap();
    void check();
    // After a change of the scene: a shown report is made again, once the change's
    // messages are done.
    void sceneChanged() { checkReport_.refreshLater(); }
    // Escape in a report closes it; call from the message loop. True when taken.
    bool translateMessage(MSG& msg);

    HWND reportWindow() const { return checkReport_.window(); }
    HWND reportList() const { return checkReport_.list(); }
    FindingsWindow& checkReport() { return checkReport_; }
    FindingsWindow& importReport() { return importReport_; }
    // Where on the screen a report may stand over the main window (see FindingsWindow).
    void setReportArea(const std::function<RECT()>& area);

    // A line picked in a report: the node is selected, and shown.
    std::function<void(Node&)> onShow;
    // What the last command has to say on the status bar.
    std::function<void(const std::string&)> onNote;

private:
    std::string askFile(bool save);
    void pick(const std::string& nodeName);

    HostSession& session_;
    HWND owner_;
    FindingsWindow checkReport_;
    FindingsWindow importReport_;
};
