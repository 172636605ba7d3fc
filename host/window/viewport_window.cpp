#include "window/viewport_window.h"
#include "scene/step_names.h"
#include <cmath>
#include "session/host_session.h"
#include "session/placement_depth.h"
#include "interaction/arrow_nudge.h"
#include "interaction/selection.h"
#include "render/view_framing.h"
#include "window/scene_view.h"
#include "ui/window_class.h"

namespace {

const char* windowClass = "VexalViewport";

IPoint2 mousePoint(LPARAM lp) {
    return IPoint2(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
}

// Half the side of a box side's handle, in pixels; a press this near takes it.
constexpr int HANDLE_REACH = 4;
// Handles are for shaping a few boxes: over a bigger selection they would cover the view
// (and reading every selected brush at each paint would slow it).
constexpr size_t MAX_HANDLED_NODES = 64;

// The light styles play at ten steps a second; the timer follows them.
constexpr UINT_PTR GLOW_TIMER = 1;
constexpr UINT GLOW_STEP_MS = 100;

double clockSeconds() { return static_cast<double>(GetTickCount64()) / 1000.0; }

}  // namespace

ViewportWindow::ViewportWindow(HostSession& session, CreationTool& creation, ViewKind kind,
                               const OverlayOptions& overlay, Callbacks cb)
    : session_(session),
      creation_(creation),
      view_(kind, 64, 64),
      overlay_(overlay),
      cb_(std::move(cb)) {
    view_.setScene(&session_.scene());
    move_.moveSelectionBy = [this](const Point3& delta) { session_.moveSelection(delta); };
    sideDrag_.moveSideTo = [this](float coordinate) {
        std::string error;
        return moveBoxSide(session_, side_, coordinate, error);
    };
}

ViewportWindow::~ViewportWindow() = default;

bool ViewportWindow::create(HWND parent, int id) {
    return createBoundWindow(windowClass, {IDC_CROSS, nullptr}, viewKindName(view_.kind()), 0,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Place{0, 0, 64, 64}, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != nullptr;
}

// The active frame is drawn over the picture as it is painted: the picture stays.
void ViewportWindow::setActive(bool active) {
    active_ = active;
    InvalidateRect(window(), nullptr, FALSE);
}

void ViewportWindow::move(const RECT& area) {
    int width = std::max(16L, area.right - area.left),
        height = std::max(16L, area.bottom - area.top);
    MoveWindow(window(), area.left, area.top, width, height, TRUE);
    view_.resize(width, height);
    redraw();
}

void ViewportWindow::redraw() {
    // A new grid size reaches the views as every change does.
    view_.gridSpacing = static_cast<float>(session_.grid().units());
    stale_ = true;
    InvalidateRect(window(), nullptr, FALSE);
}

void ViewportWindow::setAnimateLights(bool on) {
    animateLights_ = on;
    redraw();
}

void ViewportWindow::drawPicture() {
    glows_ = LightGlows();
    const auto drawScene = [this] { drawSceneView(session_, view_, overlay_); };
    if (animateLights_) {
        glows_.capture(view_, sceneLights(session_), drawScene);
        glows_.draw(view_.image(), clockSeconds());
    } else {
        drawScene();
    }
    if (glows_.animated())
        SetTimer(window(), GLOW_TIMER, GLOW_STEP_MS, nullptr);
    else
        KillTimer(window(), GLOW_TIMER);
}

// Only the area of the glows is painted again, from the picture kept under them.
void ViewportWindow::stepGlows() {
    if (stale_) return;
    const GlowArea area = glows_.draw(view_.image(), clockSeconds());
    if (area.empty()) return;
    RECT r = {area.left, area.top, area.right, area.bottom};
    InvalidateRect(window(), &r, FALSE);
}

void ViewportWindow::frameScene() {
    ::frameScene(view_, session_.scene());
    redraw();
}

void ViewportWindow::frameSelection() {
    ::frameScene(view_, session_.scene(), true);
    redraw();
}

bool ViewportWindow::cancelCreation() {
    if (creation_.state() == CreationState::Placing) {
        creation_.cancel(view_);
        session_.changed();
        return true;
    }
    if (!creation_.kind()) return false;
    if (cb_.leaveCreateMode) cb_.leaveCreateMode();
    return true;
}

void ViewportWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window(), &ps);
    if (stale_) {
        drawPicture();
        stale_ = false;
    }
    const Framebuffer& image = view_.image();
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = image.width();
    bi.bmiHeader.biHeight = -image.height();  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, image.width(), image.height(), 0, 0, 0, image.height(),
                      image.bits(), &bi, DIB_RGB_COLORS);
    if (active_) {
        HBRUSH frame = CreateSolidBrush(RGB(255, 200, 0));
        RECT r = {0, 0, image.width(), image.height()};
        FrameRect(dc, &r, frame);
        InflateRect(&r, -1, -1);
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
    }
    paintBoxHandles(dc);
    if (drag_ == Drag::Select && select_.banding()) {
        const IPoint2 a = select_.start(), b = select_.last();
        RECT band = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                     std::max(a.y, b.y)};
        DrawFocusRect(dc, &band);
    }
    EndPaint(window(), &ps);
}

void ViewportWindow::buttonDown(IPoint2 at, WPARAM keys) {
    SetCapture(window());
    SetFocus(window());
    if (cb_.activated) cb_.activated(*this);
    dragLast_ = at;
    if (creation_.kind()) {
        drag_ = Drag::Create;
        view_.placementDepth = placementDepth(session_, view_, at);
        creation_.press(view_, at);
        return;
    }
    if (keys & MK_SHIFT) {
        drag_ = Drag::Pan;
        return;
    }
    if (grabBoxSide(at)) {
        drag_ = Drag::Side;
        dragAction_ = std::make_unique<HostSession::Action>(session_, StepName::RESIZE_BOX);
        return;
    }
    Node* hit = pickNode(session_.scene(), view_, at);
    if (cb_.picking && cb_.picking()) {
        cb_.picked(hit);
        return;
    }
    // Pressing on a helper that is not selected selects it, so one gesture picks and moves.
    if (hit && !hit->selected() && !(keys & MK_CONTROL)) session_.select({hit});
    if (hit && hit->selected() && move_.press(view_, *hit, at)) {
        drag_ = Drag::Move;
        dragAction_ = std::make_unique<HostSession::Action>(session_, StepName::MOVE);
        return;
    }
    drag_ = Drag::Select;
    select_.press(at);
}

std::vector<BoxSide> ViewportWindow::boxSides() {
    if (view_.camera().isPerspective() || session_.scene().selection().size() > MAX_HANDLED_NODES)
        return {};
    return boxSidesInView(session_.scene(), view_.constructionPlane().GetRow(2));
}

bool ViewportWindow::grabBoxSide(IPoint2 at) {
    for (const BoxSide& side : boxSides()) {
        Point2 handle;
        if (!view_.mousePosition(side.centre, handle)) continue;
        if (std::abs(handle.x - at.x) <= HANDLE_REACH &&
            std::abs(handle.y - at.y) <= HANDLE_REACH) {
            side_ = side;
            sideDrag_.press(view_, side.centre, side.axis);
            return true;
        }
    }
    return false;
}

bool ViewportWindow::cancelDrag() {
    if (drag_ != Drag::Move && drag_ != Drag::Side) return false;
    move_.cancel();
    sideDrag_.cancel();
    drag_ = Drag::None;
    if (dragAction_) dragAction_->rollBack();
    dragAction_.reset();
    ReleaseCapture();
    session_.changed();
    return true;
}

void ViewportWindow::paintBoxHandles(HDC dc) {
    HBRUSH fill = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH edge = CreateSolidBrush(RGB(0, 0, 0));
    for (const BoxSide& side : boxSides()) {
        Point2 p;
        if (!view_.mousePosition(side.centre, p)) continue;
        const int x = static_cast<int>(std::lround(p.x)), y = static_cast<int>(std::lround(p.y));
        RECT r = {x - HANDLE_REACH, y - HANDLE_REACH, x + HANDLE_REACH + 1, y + HANDLE_REACH + 1};
        FillRect(dc, &r, fill);
        FrameRect(dc, &r, edge);
    }
    DeleteObject(fill);
    DeleteObject(edge);
}

void ViewportWindow::mouseMove(IPoint2 at, WPARAM) {
    Point3 world;
    bool onPlane = view_.pointOnPlane(at, view_.constructionPlane(), world);
    if (cb_.mouseAt) cb_.mouseAt(world, onPlane);
    IPoint2 last = dragLast_;
    dragLast_ = at;
    switch (drag_) {
        case Drag::Create:
            creation_.move(view_, at);
            session_.changed();
            break;
        case Drag::Move:
            move_.move(view_, session_.scene().selection(), at);
            break;
        case Drag::Side:
            sideDrag_.move(view_, at);
            if (!sideDrag_.active()) drag_ = Drag::None;
            break;
        case Drag::Select:
            select_.move(at);
            redraw();
            break;
        case Drag::Pan:
            view_.camera().pan(float(at.x - last.x), float(at.y - last.y), view_.height());
            redraw();
            break;
        case Drag::Orbit:
            view_.camera().orbit((at.x - last.x) * 0.01f, (at.y - last.y) * 0.01f);
            redraw();
            break;
        case Drag::None:
            break;
    }
}

void ViewportWindow::buttonUp(IPoint2 at, WPARAM keys) {
    const bool changedScene = changesByDrag();
    Drag ended = drag_;
    drag_ = Drag::None;
    dragAction_.reset();  // the drag's changes become one step
    ReleaseCapture();
    if (changedScene) session_.changed();  // the views and windows left behind catch up
    Scene& scene = session_.scene();
    SelectMode mode = (keys & MK_CONTROL) ? SelectMode::Toggle : SelectMode::Replace;
    if (ended == Drag::Create) {
        if (creation_.release(view_, at) == CreationState::Finished && creation_.node()) {
            session_.created(creation_.node(), creation_.classname());
            if (cb_.creationDone) cb_.creationDone();
        }
        return;
    }
    move_.release();
    sideDrag_.release();
    if (ended == Drag::Select) session_.select(select_.release(scene, view_, at, mode));
}

void ViewportWindow::nudge(WPARAM key, LPARAM repeat) {
    Point3 offset;
    if (view_.camera().isPerspective() ||
        !arrowNudge(key, view_.constructionPlane(), view_.gridSpacing, offset))
        return;
    // A key held down repeats with bit 30 set: the presses of one run make one step.
    if (!nudgeAction_ || !(repeat & (1 << 30))) {
        nudgeAction_.reset();
        nudgeAction_ = std::make_unique<HostSession::Action>(session_, StepName::MOVE);
    }
    session_.moveSelection(offset);
}

LRESULT ViewportWindow::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_TIMER:
            if (wp == GLOW_TIMER) stepGlows();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            buttonDown(mousePoint(lp), wp);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (cancelCreation()) return 0;
            SetCapture(window());
            dragLast_ = mousePoint(lp);
            drag_ =
                (msg == WM_RBUTTONDOWN && view_.camera().isPerspective()) ? Drag::Orbit : Drag::Pan;
            return 0;
        case WM_MOUSEMOVE:
            mouseMove(mousePoint(lp), wp);
            return 0;
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
        case WM_RBUTTONUP:
            buttonUp(mousePoint(lp), wp);
            return 0;
        case WM_MOUSEWHEEL: {
            const IPoint2 screen = mousePoint(lp);  // a wheel's position is on the screen
            POINT at = {screen.x, screen.y};
            ScreenToClient(window(), &at);
            zoomAt(view_, IPoint2(at.x, at.y), std::pow(1.2f, GET_WHEEL_DELTA_WPARAM(wp) / 120.0f));
            redraw();
            return 0;
        }
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE && !cancelDrag()) cancelCreation();
            nudge(wp, lp);
            return 0;
        case WM_KEYUP:
        case WM_KILLFOCUS:
            nudgeAction_.reset();  // the run of presses ends
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
