// A report beside the main window, one finding a line (Check's findings, an import's
// warnings): a double click on a line picks its node. Escape or the close box hides it; it
// is kept for the next report, which keeps the reader's place.
#pragma once
#include "ui/bound_window.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

struct FindingLine {
    std::string node;  // the node the finding is about, "" for none
    std::string text;
};

class FindingsWindow : public BoundWindow {
public:
    // stack: how many report windows stand before this one, each a caption's height lower.
    FindingsWindow(HWND owner, const char* title, int stack)
        : owner_(owner), title_(title), stack_(stack) {}
    ~FindingsWindow() override = default;
    FindingsWindow(const FindingsWindow&) = delete;
    FindingsWindow& operator=(const FindingsWindow&) = delete;

    void show(const std::vector<FindingLine>& lines);
    bool shown() const { return window() && IsWindowVisible(window()); }
    HWND list() const { return list_; }
    // Picks the node of a line (what a double click does).
    void pickLine(int index);
    // Asks for onRefresh once the messages of the moment are done (at most once queued).
    void refreshLater();

    std::function<void(const std::string& node)> onPick;
    std::function<void()> onRefresh;

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) override;
    void create();
    // Right of the owner when the screen has room, else over its lower right corner.
    Place place() const;

    HWND owner_;
    const char* title_;
    int stack_;
    HWND list_ = nullptr;
    std::vector<FindingLine> lines_;
    bool refreshPosted_ = false;
};
