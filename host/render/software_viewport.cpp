#include "render/software_viewport.h"
#include <algorithm>
#include <cmath>
#include "scene/scene.h"

namespace {

// screenScaleAt answers the world span of this many pixels.
constexpr float SCREEN_SCALE_PIXELS = 200.0f;
constexpr int PIVOT_SNAP_RANK = 1;

}  // namespace

SoftwareViewport::SoftwareViewport(ViewKind kind, int width, int height)
    : camera_(kind), image_(width, height) {
    sync();
}

void SoftwareViewport::resize(int width, int height) {
    image_.resize(width, height);
    sync();
}

void SoftwareViewport::sync() {
    if (projectedRevision_ == camera_.revision() && projectedWidth_ == image_.width() &&
        projectedHeight_ == image_.height())
        return;
    projection_ = ViewProjection(camera_, image_.width(), image_.height());
    projectedRevision_ = camera_.revision();
    projectedWidth_ = image_.width();
    projectedHeight_ = image_.height();
    graphics_.setProjection(&projection_);
}

SoftwareGraphics& SoftwareViewport::window() {
    sync();
    return graphics_;
}

const ViewProjection& SoftwareViewport::projection() {
    sync();
    return projection_;
}

void SoftwareViewport::setScene(Scene* scene, TimeValue t) {
    scene_ = scene;
    time_ = t;
}

Matrix3 SoftwareViewport::constructionPlane() const {
    switch (camera_.kind()) {
        case ViewKind::Front:
            return Matrix3(Point3(1, 0, 0), Point3(0, 0, 1), Point3(0, -1, 0), Point3(0, 0, 0));
        case ViewKind::Left:
            return Matrix3(Point3(0, -1, 0), Point3(0, 0, 1), Point3(-1, 0, 0), Point3(0, 0, 0));
        default:
            return Matrix3(true);
    }
}

Matrix3 SoftwareViewport::placementPlane() const {
    Matrix3 plane = constructionPlane();
    plane.SetTrans(plane.GetRow(2) * placementDepth);
    return plane;
}

float SoftwareViewport::screenScaleAt(Point3 p) {
    return SCREEN_SCALE_PIXELS * projection().unitsPerPixelAt(p);
}

bool SoftwareViewport::pointOnPlane(IPoint2 mouse, const Matrix3& plane, Point3& world) {
    Point3 origin, direction;
    const ViewProjection& proj = projection();
    proj.rayThrough(static_cast<float>(mouse.x), static_cast<float>(mouse.y), origin, direction);
    Point3 normal = Normalize(plane.GetRow(2));
    float facing = DotProd(direction, normal);
    if (std::fabs(facing) < 1e-6f) return false;
    float t = DotProd(plane.GetTrans() - origin, normal) / facing;
    if (proj.isPerspective() && t <= 0.0f) return false;
    world = origin + direction * t;
    return true;
}

bool SoftwareViewport::mousePosition(const Point3& world, Point2& window) {
    const ViewProjection& proj = projection();
    return proj.viewToWindow(applyTransform(world, proj.worldToView()), window.x, window.y);
}

Point3 SoftwareViewport::nearestGridPoint(const Point3& world, const Matrix3& plane) const {
    Point3 q = world * Inverse(plane);
    q.x = std::round(q.x / gridSpacing) * gridSpacing;
    q.y = std::round(q.y / gridSpacing) * gridSpacing;
    q.z = 0.0f;
    return q * plane;
}

Point3 SoftwareViewport::snapDragged(const Point3& target, const std::vector<const Node*>& moving) {
    if (!snap.enabled) return target;
    const Matrix3 plane = constructionPlane();
    Point3 landed = target;
    if (snap.toGrid) {
        Point3 q = target * Inverse(plane);
        q.x = std::round(q.x / gridSpacing) * gridSpacing;
        q.y = std::round(q.y / gridSpacing) * gridSpacing;
        landed = q * plane;
    }
    Point2 window;
    if (snap.toPivots && mousePosition(target, window))
        nearestOfferedPivot(IPoint2(static_cast<int>(std::lround(window.x)),
                                    static_cast<int>(std::lround(window.y))),
                            plane, landed, moving);
    return landed;
}

bool SoftwareViewport::nearestOfferedPivot(IPoint2 mouse, const Matrix3& plane, Point3& world,
                                           const std::vector<const Node*>& silent) {
    if (!scene_) return false;
    SnapQuery query;
    query.snapMode = snap.inPlaneOnly ? SNAP_MODE_IN_PLANE : 0;
    query.snapRadius = snap.radius;
    query.vertexRank = PIVOT_SNAP_RANK;
    query.snapPlane = plane;
    // Every visible node is asked, the one being placed too (an object knows when it is
    // being placed and must then decline), but not those being dragged.
    for (const auto& node : scene_->nodes()) {
        if (node->hidden() || !node->object() ||
            std::find(silent.begin(), silent.end(), node.get()) != silent.end())
            continue;
        node->object()->offerSnap(time_, node.get(), &query, &mouse, this);
    }
    window().setDrawTransform(Matrix3(true));
    if (query.bestRank != PIVOT_SNAP_RANK) return false;
    world = query.bestPointWorld;
    return true;
}

Point3 SoftwareViewport::snapPointOnPlane(IPoint2* in, IPoint2* out, Matrix3* plane,
                                          uint32_t flags) {
    IPoint2 mouse = *in;  // in and out may be one and the same
    Matrix3 onPlane = plane ? *plane : placementPlane();
    Point3 world;
    if (!pointOnPlane(mouse, onPlane, world)) {
        // Looking along the plane: take the point at the camera's target depth instead.
        Point3 origin, direction;
        projection().rayThrough(static_cast<float>(mouse.x), static_cast<float>(mouse.y), origin,
                                direction);
        world = origin + direction * camera_.distance();
    }
    if ((flags & SNAP_APPLY) && snap.enabled) {
        if (snap.toGrid) world = nearestGridPoint(world, onPlane);
        if (snap.toPivots) nearestOfferedPivot(mouse, onPlane, world);
    }
    Point2 window;
    if (out) {
        *out = mouse;
        if (mousePosition(world, window))
            *out = IPoint2(static_cast<int>(std::lround(window.x)),
                           static_cast<int>(std::lround(window.y)));
    }
    return world;
}
