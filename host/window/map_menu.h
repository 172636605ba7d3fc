// The window's map text commands: File > Import Map... and Export Map..., and Edit > Check
// with its report in a window beside the main one, where a double click selects the helper
// and shows its pages. While the report is shown it follows the scene's changes.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "session/map_commands.h"

class HostSession;

class MapMenu {
public:
    MapMenu(HostSession& session, HWND owner) : session_(session), owner_(owner) {}
    ~MapMenu();
    MapMenu(const MapMenu&) = delete;
    MapMenu& operator=(const MapMenu&) = delete;

    void importMap();
    void exportMap();
    void check();
    // After a change of the scene: a shown report is made again, once the change's
    // messages are done.
    void sceneChanged();
    // Escape in the report closes it; call from the message loop. True when taken.
    bool translateMessage(MSG& msg);

    HWND reportWindow() const { return report_; }
    HWND reportList() const { return list_; }
    // Selects the helper of a report line (what a double click does).
    void selectLine(int index);

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    std::string askFile(bool save);
    void showReport(const std::vector<CheckLine>& lines);
    void createReport();
    // Where the report opens: right of the owner when the screen has room, else over its
    // lower right corner.
    RECT reportPlace() const;

    HostSession& session_;
    HWND owner_;
    HWND report_ = nullptr;
    HWND list_ = nullptr;
    std::vector<CheckLine> lines_;
    bool recheckPosted_ = false;
};
