#include "ui/find_list_holder.h"
#include <algorithm>
#include "ui/window_class.h"

namespace {

constexpr int FIELD_HEIGHT = 22;

// The list's top row can change with its height (a taller list fills up to its last row),
// so the pixels from before a move are never kept: all of it is drawn anew.
void place(HWND window, int x, int y, int width, int height) {
    SetWindowPos(window, nullptr, x, y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

}  // namespace

bool FindListHolder::createHolder(const Shape& shape, HWND parent, int id) {
    labelWidth_ = shape.labelWidth;
    inset_ = shape.inset;
    if (!createControlHolder(shape.className, shape.caption, parent, id)) return false;
    label_ = childControl("STATIC", shape.label, 0, SS_LEFT, window());
    field_ =
        childControl("EDIT", "", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL | WS_TABSTOP, window(), FIELD_ID);
    list_ = childControl(shape.listClass, "", WS_EX_CLIENTEDGE, shape.listStyle | WS_TABSTOP,
                         window(), LIST_ID);
    return label_ && field_ && list_;
}

void FindListHolder::move(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    place(window(), area.left, area.top, width, height);
    MoveWindow(label_, inset_, inset_ + 3, labelWidth_ - inset_, FIELD_HEIGHT - 6, TRUE);
    MoveWindow(field_, labelWidth_, inset_, width - labelWidth_ - inset_, FIELD_HEIGHT, TRUE);
    const int top = FIELD_HEIGHT + 2 * inset_ + 2;
    place(list_, 0, top, width, std::max(0, height - top));
}
