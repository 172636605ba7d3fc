// The Build window: a compile's log as it streams in, warnings and errors coloured, a line
// above it with the step running, its time ticking, then its end and counts, and Cancel.
// The compile runs on a worker thread; it hands the window work through post, which the
// window's own thread runs, so the message loop never waits for a step. A double click on
// a line asks onLine for it.
#pragma once
#include "ui/bound_window.h"
#include <windows.h>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The colour a log line is shown in: the host's own lines ("== ...") blue, a program's
// errors red and warnings amber, the rest as text.
COLORREF logLineColour(const std::string& line);

class BuildWindow : public BoundWindow {
public:
    explicit BuildWindow(HWND owner) : owner_(owner) {}
    ~BuildWindow() override = default;
    BuildWindow(const BuildWindow&) = delete;
    BuildWindow& operator=(const BuildWindow&) = delete;

    // An empty log under this title, shown.
    void begin(const std::string& title);
    void addLine(const std::string& line);
    void setHeading(const std::string& text);
    std::string heading() const;
    // The heading of a step that started at the tick started (GetTickCount64), with the time
    // since then shown and kept current until the clock stops.
    void startStepClock(const std::string& heading, unsigned long long started);
    void stopStepClock();
    void setCancelEnabled(bool enabled);
    // Runs work on the window's thread soon; safe from any thread.
    void post(std::function<void()> work);
    HWND list() const { return list_; }
    const std::vector<std::string>& lines() const { return lines_; }

    std::function<void(const std::string& line)> onLine;
    std::function<void()> onCancel;

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) override;
    void create();
    void layout(int width, int height);
    void runPosted();
    void drawLine(const DRAWITEMSTRUCT& item);
    void showStepClock();

    HWND owner_;
    HWND heading_ = nullptr, cancel_ = nullptr, list_ = nullptr;
    std::vector<std::string> lines_;
    std::string stepHeading_;
    unsigned long long stepStarted_ = 0;
    std::mutex postedLock_;
    std::vector<std::function<void()>> posted_;
};
