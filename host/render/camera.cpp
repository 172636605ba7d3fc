#include "render/camera.h"
#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr float MIN_UNITS_PER_PIXEL = 1e-4f;
constexpr float MAX_UNITS_PER_PIXEL = 1e4f;
constexpr float MAX_PITCH = 1.55f;
// How much of the window a zoomed-to box fills.
constexpr float FILL = 0.8f;

}  // namespace

const char* viewKindName(ViewKind kind) {
    switch (kind) {
        case ViewKind::Top:
            return "Top";
        case ViewKind::Front:
            return "Front";
        case ViewKind::Left:
            return "Left";
        case ViewKind::Perspective:
            return "Perspective";
    }
    return "";
}

bool parseViewKind(const std::string& word, ViewKind& view) {
    std::string w = word;
    for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const struct {
        const char* word;
        ViewKind kind;
    } names[] = {{"top", ViewKind::Top},
                 {"front", ViewKind::Front},
                 {"left", ViewKind::Left},
                 {"persp", ViewKind::Perspective},
                 {"perspective", ViewKind::Perspective}};
    for (const auto& name : names)
        if (w == name.word) {
            view = name.kind;
            return true;
        }
    return false;
}

Camera::Camera(ViewKind kind) : kind_(kind) {}

ViewFrame Camera::frame() const {
    ViewFrame f;
    switch (kind_) {
        case ViewKind::Top:
            f = {Point3(1, 0, 0), Point3(0, 1, 0), Point3(0, 0, -1), Point3()};
            break;
        case ViewKind::Front:
            f = {Point3(1, 0, 0), Point3(0, 0, 1), Point3(0, 1, 0), Point3()};
            break;
        case ViewKind::Left:
            f = {Point3(0, -1, 0), Point3(0, 0, 1), Point3(1, 0, 0), Point3()};
            break;
        case ViewKind::Perspective: {
            Point3 toEye(std::cos(pitch_) * std::cos(yaw_), std::cos(pitch_) * std::sin(yaw_),
                         std::sin(pitch_));
            f.forward = -toEye;
            f.right = Normalize(CrossProd(f.forward, Point3(0, 0, 1)));
            f.up = CrossProd(f.right, f.forward);
            f.eye = target_ + toEye * distance_;
            return f;
        }
    }
    // An orthographic view has no eye; its depth is measured from the target's plane.
    f.eye = target_;
    return f;
}

void Camera::setTarget(const Point3& target) {
    target_ = target;
    ++revision_;
}

void Camera::setUnitsPerPixel(float upp) {
    unitsPerPixel_ = std::clamp(upp, MIN_UNITS_PER_PIXEL, MAX_UNITS_PER_PIXEL);
    ++revision_;
}

void Camera::setDistance(float distance) {
    distance_ = std::clamp(distance, 1e-2f, 1e6f);
    ++revision_;
}

void Camera::setOrbit(float yaw, float pitch) {
    yaw_ = yaw;
    pitch_ = std::clamp(pitch, -MAX_PITCH, MAX_PITCH);
    ++revision_;
}

void Camera::pan(float dxPixels, float dyPixels, int windowHeight) {
    float upp = unitsPerPixel_;
    if (isPerspective())
        upp = 2.0f * distance_ * std::tan(fieldOfView_ * 0.5f) / static_cast<float>(windowHeight);
    ViewFrame f = frame();
    setTarget(target_ - f.right * (dxPixels * upp) + f.up * (dyPixels * upp));
}

void Camera::zoom(float factor) {
    if (factor <= 0.0f) return;
    if (isPerspective())
        setDistance(distance_ / factor);
    else
        setUnitsPerPixel(unitsPerPixel_ / factor);
}

void Camera::zoomAbout(const Point3& fixed, float factor) {
    const float before = isPerspective() ? distance_ : unitsPerPixel_;
    zoom(factor);
    const float after = isPerspective() ? distance_ : unitsPerPixel_;
    setTarget(fixed + (target_ - fixed) * (after / before));
}

void Camera::orbit(float dYaw, float dPitch) { setOrbit(yaw_ + dYaw, pitch_ + dPitch); }

void Camera::zoomToBox(const Box3& box, int width, int height) {
    if (box.IsEmpty()) return;
    setTarget(box.Center());
    float radius = std::max(Length(box.Width()) * 0.5f, 1e-3f);
    if (isPerspective()) {
        setDistance(radius / std::sin(fieldOfView_ * 0.5f) / FILL);
        return;
    }
    // The box's extent across the window, seen along this view.
    ViewFrame f = frame();
    Point3 w = box.Width();
    float across = std::fabs(DotProd(w, f.right)), upward = std::fabs(DotProd(w, f.up));
    float upp = std::max(across / (static_cast<float>(width) * FILL),
                         upward / (static_cast<float>(height) * FILL));
    setUnitsPerPixel(upp > 0.0f ? upp : unitsPerPixel_);
}

ViewProjection::ViewProjection(const Camera& camera, int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      perspective_(camera.isPerspective()),
      frame_(camera.frame()) {
    const ViewFrame& f = frame_;
    worldToView_ = Matrix3(
        Point3(f.right.x, f.up.x, f.forward.x), Point3(f.right.y, f.up.y, f.forward.y),
        Point3(f.right.z, f.up.z, f.forward.z),
        Point3(-DotProd(f.eye, f.right), -DotProd(f.eye, f.up), -DotProd(f.eye, f.forward)));
    centreX_ = static_cast<float>(width_ - 1) * 0.5f;
    centreY_ = static_cast<float>(height_ - 1) * 0.5f;
    unitsPerPixel_ = camera.unitsPerPixel();
    pixelsPerUnit_ = 1.0f / unitsPerPixel_;
    focal_ = static_cast<float>(height_) * 0.5f / std::tan(camera.fieldOfView() * 0.5f);
    near_ = camera.distance() * 1e-3f;
}

void ViewProjection::rayThrough(float x, float row, Point3& origin, Point3& direction) const {
    float dx = x - centreX_, dy = centreY_ - row;
    if (!perspective_) {
        origin =
            frame_.eye + frame_.right * (dx * unitsPerPixel_) + frame_.up * (dy * unitsPerPixel_);
        direction = frame_.forward;
        return;
    }
    origin = frame_.eye;
    direction =
        Normalize(frame_.forward + frame_.right * (dx / focal_) + frame_.up * (dy / focal_));
}

bool ViewProjection::sphereToWindow(const Point3& centre, float radius, Point2& window,
                                    float& pixelRadius) const {
    Point3 v = applyTransform(centre, worldToView_);
    if (!perspective_) {
        pixelRadius = radius * pixelsPerUnit_;
        return viewToWindow(v, window.x, window.y);
    }
    // Nearest depth of the sphere: its projection is no wider than a disc seen there.
    float nearest = v.z - radius;
    if (nearest < near_ || !viewToWindow(v, window.x, window.y)) return false;
    pixelRadius = radius * focal_ / nearest;
    return true;
}

float ViewProjection::unitsPerPixelAt(const Point3& world) const {
    if (!perspective_) return unitsPerPixel_;
    float depth = applyTransform(world, worldToView_).z;
    return std::max(depth, near_) / focal_;
}
