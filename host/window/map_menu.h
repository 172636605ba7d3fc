// The window's map text commands: File > Import Map... and Export Map..., and Edit > Check
// with its report in a list, where a double click selects the helper and shows its pages.
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

    HWND reportWindow() const { return report_; }
    HWND reportList() const { return list_; }
    // Selects the helper of a report line (what a double click does).
    void selectLine(int index);

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    std::string askFile(bool save);
    void showReport(const std::vector<CheckLine>& lines);

    HostSession& session_;
    HWND owner_;
    HWND report_ = nullptr;
    HWND list_ = nullptr;
    std::vector<CheckLine> lines_;
};
