// The reference host's command panel: a window that stacks the rollup pages of the
// object being edited, each under a title bar that opens and closes it. It is the host
// interface object that an edited object receives.
//
// The pages belong to the edit in progress: end it (EditSession::edit(nullptr)) before the
// panel goes, so that no plug-in keeps the handle of a page the panel has destroyed.
#pragma once
#include "ui/bound_window.h"
#include <windows.h>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include "panel/mixed_controls.h"
#include "panel/page_change.h"
#include "panel/panel_controls.h"
#include "panel/panel_scroll.h"
#include "vexsdk/hostinterface.h"

class CommandPanel final : public HostInterface, public BoundWindow {
public:
    // Holds the panel's redraw for as long as it lives.
    class RedrawHold {
    public:
        explicit RedrawHold(CommandPanel& panel) : panel_(panel) { panel_.holdRedraw(); }
        ~RedrawHold() { panel_.releaseRedraw(); }
        RedrawHold(const RedrawHold&) = delete;
        RedrawHold& operator=(const RedrawHold&) = delete;

    private:
        CommandPanel& panel_;
    };

public:
    using RedrawHandler = std::function<void(TimeValue t, int mode, ReferenceTarget* changed)>;

    CommandPanel();
    ~CommandPanel() override;
    CommandPanel(const CommandPanel&) = delete;
    CommandPanel& operator=(const CommandPanel&) = delete;

    // Makes the panel's window: a child of parent filling area, or with no parent a
    // top-level window "Command Panel" whose client area is area. False on failure.
    bool create(HWND parent, const RECT& area);

    // HostInterface
    HWND addRollupPage(HINSTANCE module, int dlgId, DLGPROC proc, const char* title, LPARAM param,
                       uint32_t flags) override;
    void registerPanelWindow(HWND page) override;
    void unregisterPanelWindow(HWND page) override;
    void deleteRollupPage(HWND page) override;
    TimeValue currentTime() override { return time_; }
    void redrawViewports(TimeValue t, int mode, ReferenceTarget* changed) override;

    void setTime(TimeValue t) { time_ = t; }
    // Called for every redraw request (the host redraws its viewports there).
    void setRedrawHandler(RedrawHandler handler) { redraw_ = std::move(handler); }
    // Called after a page took a commit of one of its text fields (Enter, Tab, the focus
    // leaving it) or a click on one of its buttons: pages store such texts, and the light
    // page its buttons, without announcing them.
    void setCommitHandler(std::function<void()> handler) { committed_ = std::move(handler); }
    // Called after a page took a user's setting of one of its controls (page_change.h).
    void setChangeHandler(std::function<void(const PageChange&)> handler) {
        changed_ = std::move(handler);
    }

    // A line above the pages saying whom they edit ("3 selected"); none when empty.
    void setTitle(const std::string& title);
    std::string title() const;
    // The controls shown as holding differing values.
    MixedControls& mixed() { return mixed_; }

    // The pages shown, top to bottom.
    std::vector<std::string> pageTitles() const;
    std::vector<HWND> pages() const;
    // The first page under a title bar with this text, or null.
    HWND page(const std::string& title) const;
    // Every labelled control of a shown page (panel_controls.h): found once per page, whose
    // controls stay as its template made them.
    const std::vector<LabelledControl>& labelledControls(HWND page) const;
    bool isRegistered(HWND page) const;
    // Greys every control of a shown page and puts the note on the page above them, for a
    // page whose values would go nowhere; an empty note gives the controls back.
    void setPageNote(HWND page, const std::string& note);
    std::string pageNote(HWND page) const;
    // Opens or closes a page under its title bar, as a click on the bar does.
    void setPageOpen(HWND page, bool open);
    // How far the pages are scrolled up, in pixels.
    int scrollPosition() const { return scroll_.position(); }

    // A control of the shown pages named by its label (see panel_controls.h), searched
    // page by page from the top; null when none carries it.
    HWND findControl(const std::string& label) const;

    // Where the keyboard focus is on the pages: the page's title and the control's id
    // (0 when the focus is elsewhere). restoreFocus puts it back there on pages made anew.
    struct FocusPlace {
        std::string page;
        int control = 0;
    };
    FocusPlace focusPlace() const;
    void restoreFocus(const FocusPlace& place);

    // While many pages go and come (an edit ends and the next begins), the panel draws
    // nothing; it is drawn whole again when the last hold ends.
    void holdRedraw();
    void releaseRedraw();

    // Runs task once the message being handled now is done, from the thread's message
    // loop: for work that would take down the page whose message is being handled.
    void postTask(std::function<void()> task);
    // Runs the tasks posted so far now: a script's next line must find their work done,
    // whatever became of the loop's message.
    void runPostedTasks();
    // Commits a text typed into a page field and not yet committed, as Enter would: a
    // change must be committed to reach the other selected helpers. False when no field
    // held typing.
    bool commitTyping();

    // Keyboard navigation within registered pages: Tab and Shift+Tab through every page's
    // controls in reading order (panel_tab_order.h), arrows as the dialogs do; call from the
    // host's message loop before TranslateMessage. True when the message was used.
    bool translateMessage(MSG* msg);
    // The wheel scrolls the panel wherever the pointer is on it, over a page's field too:
    // true when a WM_MOUSEWHEEL was taken so. Call for every message, whichever window has
    // the focus.
    bool takeWheel(const MSG& msg);

private:
    struct Page {
        HWND frame;
        HWND dialog;
        std::string title;
        bool registered;
        bool open;
        mutable std::optional<std::vector<LabelledControl>> labelled;
        std::string note;
        HWND noteLine = nullptr;   // a child of the frame, above the dialog
        std::vector<HWND> greyed;  // the controls the note disabled, to enable again
    };
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT handleFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Page* pageOf(HWND dialog);
    const Page* pageOf(HWND dialog) const;
    Page* pageOfFrame(HWND frame);
    bool pageHolding(HWND window) const;  // whether window lies on a registered page
    bool pressHeld() const;               // whether a page's control has the mouse captured
    void scrollIntoView(HWND control);
    void layout();
    void layoutUnlessHeld();
    int bodyHeight(const Page& page) const;
    int noteHeight(const Page& page) const;
    void paintTitle(HWND frame);
    static LRESULT CALLBACK watchPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR panel);

    bool ownsTopLevel_ = false;
    std::vector<Page> pages_;
    PanelScroll scroll_;
    int redrawHolds_ = 0;
    std::vector<std::function<void()>> tasks_;
    TimeValue time_ = 0;
    RedrawHandler redraw_;
    std::function<void()> committed_;
    std::function<void(const PageChange&)> changed_;
    HWND title_ = nullptr;
    MixedControls mixed_;
};
