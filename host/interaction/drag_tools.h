// Window-free tools for the drags of a view: each takes a press, the mouse's moves, a
// release and a cancel in window positions, works out what the gesture means in the scene,
// and does it through the call it was given. The viewport window feeds them its mouse; a
// test drives them the same way with no window at all.
#pragma once
#include <functional>
#include <vector>
#include "interaction/selection.h"
#include "render/software_viewport.h"

// A click that picks, or a rubber band that takes what it holds (dragged rightwards) or
// touches (leftwards).
class SelectTool {
public:
    void press(IPoint2 at);
    void move(IPoint2 at) { last_ = at; }
    // The selection the gesture makes.
    std::vector<Node*> release(Scene& scene, SoftwareViewport& view, IPoint2 at, SelectMode mode);
    void cancel() { banding_ = false; }
    // Whether a band is being dragged, and its corners.
    bool banding() const;
    IPoint2 start() const { return start_; }
    IPoint2 last() const { return last_; }

private:
    bool isClick(IPoint2 at) const;

    IPoint2 start_, last_;
    bool banding_ = false;
};

// Moves the selection with a grabbed pivot, which follows the mouse on the plane through it
// parallel to the view's construction plane (a helper above the ground keeps its height)
// and lands where the view's snap puts it.
class MoveTool {
public:
    // The document's move of the selection by a delta.
    std::function<void(const Point3& delta)> moveSelectionBy;

    // False when the view cannot move the pivot under the mouse (edge-on to its plane).
    bool press(SoftwareViewport& view, Node& grabbed, IPoint2 at);
    void move(SoftwareViewport& view, const std::vector<Node*>& selection, IPoint2 at);
    void release() { grabbed_ = nullptr; }
    void cancel() { grabbed_ = nullptr; }
    bool active() const { return grabbed_ != nullptr; }

private:
    Matrix3 plane_{true};
    Point3 offset_;  // from the point under the mouse to the grabbed pivot
    Node* grabbed_ = nullptr;
};

// Drags one side of a box along its axis, to the nearest grid line when the view snaps to
// the grid.
class SideDragTool {
public:
    // The document's move of the side to a coordinate on its axis; false when the side can
    // go there no more, which ends the drag.
    std::function<bool(float coordinate)> moveSideTo;

    void press(SoftwareViewport& view, const Point3& sideCentre, int axis);
    void move(SoftwareViewport& view, IPoint2 at);
    void release() { active_ = false; }
    void cancel() { active_ = false; }
    bool active() const { return active_; }

private:
    Matrix3 plane_{true};
    int axis_ = 0;
    bool active_ = false;
};
