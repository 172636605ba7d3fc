// A viewport of the interactive host: a child window showing one SoftwareViewport of the
// scene, with the mouse doing what a user expects: create (when a kind is armed), click
// and rubber-band selection, dragging the selection, panning (middle button or
// Shift+drag), zooming (wheel) and orbiting the perspective view (right drag).
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include "interaction/creation_tool.h"
#include "render/software_viewport.h"

class HostSession;

class ViewportWindow {
public:
    struct Callbacks {
        std::function<void(ViewportWindow&)> activated;
        std::function<void(const Point3& world, bool onPlane)> mouseAt;
        std::function<void()> creationDone;
    };

    ViewportWindow(HostSession& session, CreationTool& creation, ViewKind kind, Callbacks cb);
    ~ViewportWindow();
    bool create(HWND parent, int id);
    HWND window() const { return window_; }
    SoftwareViewport& view() { return view_; }
    void setActive(bool active);
    void move(const RECT& area);
    void redraw();
    void frameScene();  // zooms to show every node

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    void paint();
    void buttonDown(IPoint2 at, WPARAM keys);
    void mouseMove(IPoint2 at, WPARAM keys);
    void buttonUp(IPoint2 at, WPARAM keys);
    void dragSelection(IPoint2 at);
    bool cancelCreation();  // right button or Escape while placing; false when not placing

    enum class Drag { None, Create, Select, Move, Pan, Orbit };
    HostSession& session_;
    CreationTool& creation_;
    SoftwareViewport view_;
    Callbacks cb_;
    HWND window_ = nullptr;
    bool active_ = false;
    Drag drag_ = Drag::None;
    IPoint2 dragStart_, dragLast_;
    Point3 moveAnchor_;
};
