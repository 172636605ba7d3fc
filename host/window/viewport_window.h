// A viewport of the interactive host: a child window showing one SoftwareViewport of the
// scene, with the mouse doing what a user expects: create (when a kind is armed), click
// and rubber-band selection, dragging the selection or a selected box's side by its
// handle (orthographic views), panning (middle button or Shift+drag), zooming (the wheel,
// about the point under the mouse) and orbiting the perspective view (right drag). With the
// light styles animated, the lights in view glow as their styles play: the still picture is
// drawn once and the glows alone are redrawn at every step.
#pragma once
#include "ui/bound_window.h"
#include <windows.h>
#include <functional>
#include <memory>
#include "session/box_brushes.h"
#include "session/host_session.h"
#include "interaction/creation_tool.h"
#include "interaction/drag_tools.h"
#include "render/light_glows.h"
#include "render/software_viewport.h"

class ViewportWindow : public BoundWindow {
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

    // overlay: what the window's View menu asks to draw over the helpers.
    ViewportWindow(HostSession& session, CreationTool& creation, ViewKind kind,
                   const OverlayOptions& overlay, Callbacks cb);
    ~ViewportWindow();
    bool create(HWND parent, int id);
    SoftwareViewport& view() { return view_; }
    void setActive(bool active);
    void move(const RECT& area);
    // The scene changed, or the view did: the picture is drawn again at the next paint.
    void redraw();
    void setAnimateLights(bool on);
    bool animatesLights() const { return animateLights_; }
    // Whether a drag in this view is changing the scene (a move, a box side, a placing): the
    // other views and windows catch up when it ends.
    bool changesByDrag() const {
        return drag_ == Drag::Move || drag_ == Drag::Side || drag_ == Drag::Create;
    }
    void frameScene();      // zooms to show every node
    void frameSelection();  // zooms to show the selected nodes (every node when none is)

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) override;
    void paint();
    // The scene with its overlay, and the glows of the lights in view under it when the
    // styles are animated; the step timer runs only while a glow changes with time.
    void drawPicture();
    void stepGlows();
    void buttonDown(IPoint2 at, WPARAM keys);
    void mouseMove(IPoint2 at, WPARAM keys);
    void buttonUp(IPoint2 at, WPARAM keys);
    // Takes hold of a selected node's pivot at a window position; false when the view
    // cannot move it there.
    // The sides of the selected boxes that this view can drag: none in perspective.
    std::vector<BoxSide> boxSides();
    // Takes hold of the box side whose handle is under a window position.
    bool grabBoxSide(IPoint2 at);
    // Escape during a drag that changes the scene: its changes are taken back whole.
    bool cancelDrag();
    void paintBoxHandles(HDC dc);
    // Right button or Escape: drops a helper being placed, or else leaves create mode;
    // false when not creating at all.
    bool cancelCreation();
    // An arrow or Page key in an orthographic view: the selection one grid step along.
    void nudge(WPARAM key, LPARAM repeat);

    enum class Drag { None, Create, Select, Move, Side, Pan, Orbit };
    HostSession& session_;
    CreationTool& creation_;
    SoftwareViewport view_;
    const OverlayOptions& overlay_;
    Callbacks cb_;
    bool active_ = false;
    bool stale_ = true;  // the picture no longer shows the scene
    bool animateLights_ = false;
    LightGlows glows_;
    Drag drag_ = Drag::None;
    IPoint2 dragLast_;  // where the last move of a pan or an orbit was
    SelectTool select_;
    MoveTool move_;
    SideDragTool sideDrag_;
    BoxSide side_{};  // the box side being dragged
    // Open while the selection or a box side is dragged: the drag is one step.
    std::unique_ptr<HostSession::Action> dragAction_;
    // Open while an arrow key is held: its presses are one step.
    std::unique_ptr<HostSession::Action> nudgeAction_;
};
