// Where a viewport looks from and how far it is zoomed, and the projection that follows
// for a window of a given size.
#pragma once
#include <string>
#include "vexsdk/geom.h"

// p * m, written out here so that the renderer's inner loops need no call into geom.dll.
inline Point3 applyTransform(const Point3& p, const Matrix3& m) {
    const Point3* r = m.rows;
    return Point3(p.x * r[0].x + p.y * r[1].x + p.z * r[2].x + r[3].x,
                  p.x * r[0].y + p.y * r[1].y + p.z * r[2].y + r[3].y,
                  p.x * r[0].z + p.y * r[1].z + p.z * r[2].z + r[3].z);
}

// a followed by b (a * b), written out for the same reason.
inline Matrix3 composeTransforms(const Matrix3& a, const Matrix3& b) {
    Matrix3 r(Point3(), Point3(), Point3(), applyTransform(a.rows[3], b));
    for (int i = 0; i < 3; ++i) {
        const Point3& v = a.rows[i];
        r.rows[i] = b.rows[0] * v.x + b.rows[1] * v.y + b.rows[2] * v.z;
    }
    return r;
}

enum class ViewKind { Top, Front, Left, Perspective };

// "Top", "Front", "Left" or "Perspective".
const char* viewKindName(ViewKind kind);
// The view a word names: "top", "front", "left", "persp" or "perspective" (case ignored).
bool parseViewKind(const std::string& word, ViewKind& view);

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
    // Zooms keeping a point where it is in the window: the target moves towards it as the
    // view closes in (a perspective eye dollies along the line through it).
    void zoomAbout(const Point3& fixed, float factor);
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
    bool viewToWindow(const Point3& v, float& x, float& row) const {
        if (!perspective_) {
            x = centreX_ + v.x * pixelsPerUnit_;
            row = centreY_ - v.y * pixelsPerUnit_;
            return true;
        }
        if (v.z < near_) return false;
        float s = focal_ / v.z;
        x = centreX_ + v.x * s;
        row = centreY_ - v.y * s;
        return true;
    }
    // A depth key of a view-space point that grows towards the viewer and is linear in
    // window space along a projected line.
    float depthKey(const Point3& v) const { return perspective_ ? 1.0f / v.z : -v.z; }
    // The window circle that a world sphere cannot leave; false when the sphere reaches
    // behind the eye.
    bool sphereToWindow(const Point3& centre, float radius, Point2& window,
                        float& pixelRadius) const;
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
    float pixelsPerUnit_ = 1;
    float focal_ = 1;  // perspective: pixels per unit at depth 1
    float near_ = 0.1f;
};
