#include "window/position_fields.h"
#include "ui/window_class.h"
#include <commctrl.h>
#include <algorithm>
#include <cmath>
#include "number_text.h"
#include "session/host_session.h"

namespace {

constexpr int PART_WIDTH = 270;
constexpr int LABEL_WIDTH = 14;
const char* const axisNames[3] = {"X", "Y", "Z"};
// The parts before the fields': the mouse's position, the snap, the last action.
constexpr int MOUSE_PART_END = 260, SNAP_PART_END = 420;

std::string fieldText(HWND field) {
    char text[64] = {};
    GetWindowTextA(field, text, sizeof text);
    return text;
}

}  // namespace

bool PositionFields::create(HWND status) {
    status_ = status;
    for (int axis = 0; axis < 3; ++axis) {
        labels_[axis] = childControl("STATIC", axisNames[axis], 0, SS_RIGHT, status);
        fields_[axis] = childControl("EDIT", "", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL, status);
        if (!labels_[axis] || !fields_[axis]) return false;
    }
    return true;
}

void PositionFields::layout(int width) {
    const int fieldsLeft = std::max(SNAP_PART_END + 40, width - PART_WIDTH);
    int parts[] = {MOUSE_PART_END, SNAP_PART_END, fieldsLeft, -1};
    SendMessageA(status_, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(parts));
    RECT part;
    SendMessageA(status_, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&part));
    const int step = (PART_WIDTH - 20) / 3, height = part.bottom - part.top - 2;
    for (int axis = 0; axis < 3; ++axis) {
        const int left = part.left + 2 + axis * step;
        MoveWindow(labels_[axis], left, part.top + 3, LABEL_WIDTH - 2, height - 2, TRUE);
        MoveWindow(fields_[axis], left + LABEL_WIDTH, part.top + 1, step - LABEL_WIDTH - 4, height,
                   TRUE);
    }
}

bool PositionFields::owns(HWND window) const {
    return std::find(fields_.begin(), fields_.end(), window) != fields_.end();
}

void PositionFields::show() {
    if (owns(GetFocus())) return;
    const std::vector<Node*> selection = session_.scene().selection();
    const Point3 centre = pivotCentre(selection);
    // Every redraw comes here, a drag's too: a field is set only when its text differs.
    for (int axis = 0; axis < 3; ++axis) {
        const std::string text = selection.empty() ? "" : shortestNumberText(centre[axis]);
        if (fieldText(fields_[axis]) != text) SetWindowTextA(fields_[axis], text.c_str());
    }
}

bool PositionFields::typedPoint(Point3& point) {
    for (int axis = 0; axis < 3; ++axis) {
        const std::string text = fieldText(fields_[axis]);
        if (!readFloat(text, point[axis]) || !std::isfinite(point[axis])) {
            if (onNote) onNote(std::string(axisNames[axis]) + ": " + numberProblem(text));
            return false;
        }
    }
    return true;
}

bool PositionFields::takeKey(const MSG& msg, float gridSpacing) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || !owns(msg.hwnd)) return false;
    Point3 point;
    if (!typedPoint(point)) return true;
    if (GetKeyState(VK_SHIFT) < 0)
        for (int axis = 0; axis < 3; ++axis)
            point[axis] = std::round(point[axis] / gridSpacing) * gridSpacing;
    std::string refusal;
    if (!session_.moveTo(session_.movableSelection(), point, &refusal) && onNote) onNote(refusal);
    // The fields show where the selection went, the nearest floats to what was typed.
    SetFocus(GetParent(status_));
    show();
    return true;
}
