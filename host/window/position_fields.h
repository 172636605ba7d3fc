// The status bar's X, Y and Z fields: the selected helper's pivot, or the centre of the
// selection's pivots, shown as exact numbers and typed over to move the selection there.
#pragma once
#include <windows.h>
#include <array>
#include <functional>
#include <string>
#include "vexsdk/geom.h"

class HostSession;

class PositionFields {
public:
    explicit PositionFields(HostSession& session) : session_(session) {}

    // Labels and fields inside the status bar, in a part of their own at its right end.
    bool create(HWND status);
    // The status bar's parts for its width: the fields' part last.
    void layout(int width);
    // The selection's place; a field being typed into keeps its text.
    void show();
    bool owns(HWND window) const;
    HWND field(int axis) const { return fields_[axis]; }
    // Enter in a field moves the selection's movable nodes so that their centre lands on
    // the three fields' point, exactly; Shift+Enter on the grid point nearest it. True when
    // the key was the fields'.
    bool takeKey(const MSG& msg, float gridSpacing);

    // Why typed text moved nothing ("X: bad number \"abc\"").
    std::function<void(const std::string&)> onNote;

private:
    bool typedPoint(Point3& point);

    HostSession& session_;
    HWND status_ = nullptr;
    std::array<HWND, 3> labels_{}, fields_{};
};
