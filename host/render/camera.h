// Where a viewport looks from and how far it is zoomed, and the projection that follows
// for a window of a given size.
#pragma once
#include "vexsdk/geom.h"

enum class ViewKind { Top, Front, Left, Perspective };

// "Top", "Front", "Left" or "Perspective".
const char* viewKindName(ViewKind kind);

// The camera's orthonormal frame: right and up span the window, forward looks into it.
struct ViewFrame {
    Point3 right, up, forward, eye;
};

class Camera {
public:
    explicit Camera(ViewKind kind = ViewKind::Top);

    ViewKind kind() const { return kind_; }
    bool isPerspective() const { return kind_ == ViewKind::Perspective; }
    Point3 target() const { return target_; }
    // Orthographic zoom: world units per pixel.
    float unitsPerPixel() const { return unitsPerPixel_; }
    // Perspective: distance of the eye from the target, orbit angles and vertical field.
    float distance() const { return distance_; }
    float yaw() const { return yaw_; }
    float pitch() const { return pitch_; }
    float fieldOfView() const { return fieldOfView_; }
    // Bumped by every change, so that a viewport knows when to rebuild its projection.
    unsigned revision() const { return revision_; }

    ViewFrame frame() const;

    void setTarget(const Point3& target);
    void setUnitsPerPixel(float upp);
    void setDistance(float distance);
    void setOrbit(float yaw, float pitch);
    // Drags the view by a number of pixels (x right, y down) at the target's depth.
    void pan(float dxPixels, float dyPixels, int windowHeight);
    // factor > 1 zooms in.
    void zoom(float factor);
    // Turns the perspective view about its target.
    void orbit(float dYaw, float dPitch);
    // Centres box and zooms so that it fills most of a window of this size.
    void zoomToBox(const Box3& box, int width, int height);

private:
    ViewKind kind_;
    Point3 target_;
    float unitsPerPixel_ = 1.0f;
    float distance_ = 400.0f;
    float yaw_ = -1.0471976f;   // eye towards +x, -y
    float pitch_ = 0.5235988f;  // 30 degrees above the target
    float fieldOfView_ = 0.7853982f;
    unsigned revision_ = 1;
};

// The camera applied to a window of width x height pixels. Window positions are in
// pixels with x to the right and y ("row") down from the top row; pixel centres sit on
// whole numbers.
class ViewProjection {
public:
    ViewProjection() = default;
    ViewProjection(const Camera& camera, int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isPerspective() const { return perspective_; }
    const ViewFrame& frame() const { return frame_; }
    // World to view space: x right, y up, z the depth along the view direction.
    const Matrix3& worldToView() const { return worldToView_; }
    float nearDepth() const { return near_; }

    // Window position of a view-space point; false when it lies behind the eye.
    bool viewToWindow(const Point3& v, float& x, float& row) const;
    // A depth key of a view-space point that grows towards the viewer and is linear in
    // window space along a projected line.
    float depthKey(const Point3& v) const;
    // The ray through a window position, in world space.
    void rayThrough(float x, float row, Point3& origin, Point3& direction) const;
    // World units that one pixel spans at a world point.
    float unitsPerPixelAt(const Point3& world) const;

private:
    int width_ = 1, height_ = 1;
    bool perspective_ = false;
    ViewFrame frame_;
    Matrix3 worldToView_{true};
    float centreX_ = 0, centreY_ = 0;
    float unitsPerPixel_ = 1;  // orthographic
    float focal_ = 1;          // perspective: pixels per unit at depth 1
    float near_ = 0.1f;
};
