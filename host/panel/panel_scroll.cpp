#include "panel/panel_scroll.h"
#include <algorithm>

void PanelScroll::setExtent(int content, int window) {
    content_ = content;
    window_ = window;
    position_ = std::min(std::max(position_, 0), lastPosition());
}

int PanelScroll::lastPosition() const { return std::max(0, content_ - window_); }

bool PanelScroll::moveTo(int position) {
    const int clamped = std::min(std::max(position, 0), lastPosition());
    if (clamped == position_) return false;
    position_ = clamped;
    return true;
}

bool PanelScroll::request(int code, int thumb) {
    switch (code) {
        case SB_LINEUP:
            return moveTo(position_ - LINE);
        case SB_LINEDOWN:
            return moveTo(position_ + LINE);
        case SB_PAGEUP:
            return moveTo(position_ - window_);
        case SB_PAGEDOWN:
            return moveTo(position_ + window_);
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return moveTo(thumb);
        case SB_TOP:
            return moveTo(0);
        case SB_BOTTOM:
            return moveTo(content_);
    }
    return false;
}

bool PanelScroll::wheel(int delta) {
    wheelRest_ += delta;
    const int notches = wheelRest_ / WHEEL_DELTA;
    wheelRest_ -= notches * WHEEL_DELTA;
    return notches != 0 && moveTo(position_ - notches * NOTCH);
}
