// A viewport of the interactive host: a child window showing one SoftwareViewport of the
// scene, with the mouse doing what a user expects: create (when a kind is armed), click
// and rubber-band selection, dragging the selection, panning (middle button or
// Shift+drag), zooming (wheel) and orbiting the perspective view (right drag).
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include "session/host_session.h"
#include "interaction/creation_tool.h"
#include "render/software_viewport.h"

class ViewportWindow {
public:
    struct Callbacks {
        std::function<void(ViewportWindow&)> activated;
        std::function<void(const Point3& world, bool onPlane)> mouseAt;
        std::function<void()> creationDone;
        std::function<void()> leaveCreateMode;  // Escape or a right click with a kind armed
        // Whether a command waits for a click on a helper (Link): the click then only picks
        // the node under the mouse (null for none), and selects or drags nothing.
        std::function<bool()> picking;
        std::function<void(Node*)> picked;
    };

    ViewportWindow(HostSession& session, CreationTool& creation, ViewKind kind, Callbacks cb);
    ~ViewportWindow();
    bool create(HWND parent, int id);
    HWND window() const { return window_; }
    SoftwareViewport& view() { return view_; }
    void setActive(bool active);
    void move(const RECT& area);
    void redraw();
    void frameScene();      // zooms to show every node
    void frameSelection();  // zooms to show the selected nodes (every node when none is)

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    void paint();
    void buttonDown(IPoint2 at, WPARAM keys);
    void mouseMove(IPoint2 at, WPARAM keys);
    void buttonUp(IPoint2 at, WPARAM keys);
    // Takes hold of a selected node's pivot at a window position; false when the view
    // cannot move it there.
    bool grab(Node& node, IPoint2 at);
    void dragSelection(IPoint2 at);
    // Right button or Escape: drops a helper being placed, or else leaves create mode;
    // false when not creating at all.
    bool cancelCreation();

    enum class Drag { None, Create, Select, Move, Pan, Orbit };
    HostSession& session_;
    CreationTool& creation_;
    SoftwareViewport view_;
    Callbacks cb_;
    HWND window_ = nullptr;
    bool active_ = false;
    Drag drag_ = Drag::None;
    IPoint2 dragStart_, dragLast_;
    Node* grabbed_ = nullptr;  // whose pivot the drag puts on the grid
    Matrix3 dragPlane_{true};
    Point3 grabOffset_;  // from the point under the mouse to the grabbed pivot
    std::unique_ptr<HostSession::Action> moveAction_;  // open while the selection is dragged
};
