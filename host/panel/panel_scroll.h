// The command panel's vertical scrolling: where a scroll-bar request or a turn of the mouse
// wheel takes the view, kept apart from the panel's window procedure.
#pragma once
#include <windows.h>

class PanelScroll {
public:
    // Pixels moved by one scroll-bar arrow click and by one wheel notch.
    static constexpr int LINE = 20;
    static constexpr int NOTCH = 40;

    int position() const { return position_; }
    int content() const { return content_; }
    // The content's height and the window's: the position stays between the top and the
    // last position that still fills the window.
    void setExtent(int content, int window);
    // Moves to position, kept within the extent; true when it moved.
    bool moveTo(int position);
    // A WM_VSCROLL request (SB_LINEUP, SB_THUMBTRACK, ...), thumb the bar's track position.
    bool request(int code, int thumb);
    // A WM_MOUSEWHEEL delta; parts of a notch add up until they make a whole one.
    bool wheel(int delta);

private:
    int lastPosition() const;

    int position_ = 0;
    int content_ = 0;
    int window_ = 0;
    int wheelRest_ = 0;
};
