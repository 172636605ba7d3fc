// A report beside the main window, one finding a line (Check's findings, an import's
// warnings). A box above the lines shows all of them, the errors or the warnings; a report
// whose findings come from rules lists the rules beside them, each with its count, and a
// rule picked there shows its findings alone. A double click on a line picks its node.
// Escape or the close box hides it; it is kept for the next report, which keeps the reader's
// place, rule and severity, and opens it where the main window's layout leaves it room.
#pragma once
#include "ui/bound_window.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "window/finding_groups.h"

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
    // The lines shown; the rules with their counts (hidden for a report of no rules); the
    // severity box (All, Errors, Warnings).
    HWND list() const { return list_; }
    HWND ruleList() const { return rules_; }
    HWND severityBox() const { return severity_; }
    // Picks the node of a line shown (what a double click does).
    void pickLine(int index);
    // Asks for onRefresh once the messages of the moment are done (at most once queued).
    void refreshLater();

    std::function<void(const std::string& node)> onPick;
    std::function<void()> onRefresh;
    // Where on the screen the report may stand over the owner when there is no room beside
    // it: a part that holds nothing the user works with meanwhile (the views).
    std::function<RECT()> freeArea;

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) override;
    void create();
    // Right of the owner when the screen has room, else over the owner's free area.
    Place place() const;
    void layout();
    void fillRules();
    void fillLines(bool keepPlace);

    HWND owner_;
    const char* title_;
    int stack_;
    HWND list_ = nullptr, rules_ = nullptr, severity_ = nullptr, showLabel_ = nullptr;
    std::vector<FindingLine> lines_;
    std::vector<size_t> shown_;  // the lines list_ holds, in its order
    std::vector<RuleRow> ruleRows_;
    std::string rule_;  // the rule picked, "" for every rule
    SeverityFilter filter_ = SeverityFilter::All;
    bool refreshPosted_ = false;
};
