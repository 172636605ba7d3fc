// A viewport of the reference host: a camera looking at the scene through a window of
// pixels, the software renderer behind it, and the host's snapping.
#pragma once
#include "render/camera.h"
#include "render/framebuffer.h"
#include "render/software_graphics.h"
#include <vector>
#include "vexsdk/viewport.h"

class Node;
class Scene;

struct SnapSettings {
    bool enabled = true;
    bool toGrid = true;
    bool toPivots = true;      // every visible node may offer its pivot
    bool inPlaneOnly = false;  // offered pivots must lie on the construction plane
    int radius = 8;            // pixels
};

class SoftwareViewport : public HostViewport {
public:
    SoftwareViewport(ViewKind kind, int width, int height);
    SoftwareViewport(const SoftwareViewport&) = delete;
    SoftwareViewport& operator=(const SoftwareViewport&) = delete;

    Camera& camera() { return camera_; }
    const Camera& camera() const { return camera_; }
    ViewKind kind() const { return camera_.kind(); }
    void resize(int width, int height);
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    Framebuffer& image() { return image_; }
    const Framebuffer& image() const { return image_; }
    // The drawing window, with the projection of the current camera.
    SoftwareGraphics& window();
    const ViewProjection& projection();

    // The nodes of scene offer their pivots to snapPointOnPlane, at time t.
    void setScene(Scene* scene, TimeValue t = 0);
    Scene* scene() const { return scene_; }
    TimeValue time() const { return time_; }

    // The plane new objects are placed on: XY for top and perspective, XZ for front, YZ
    // for left; its z axis faces the viewer of the orthographic views.
    Matrix3 constructionPlane() const;
    // How far along the construction plane's normal new objects are placed (where the
    // level is, not only on the ground); the plane moved by it.
    float placementDepth = 0.0f;
    Matrix3 placementPlane() const;
    float gridSpacing = 10.0f;  // the owner sets it from its grid size
    SnapSettings snap;

    // HostViewport
    ViewGraphics* graphics() override { return &window(); }
    // The world distance that 200 pixels span at p: tripods keep one on-screen size.
    float screenScaleAt(Point3 p) override;
    Point3 snapPointOnPlane(IPoint2* in, IPoint2* out, Matrix3* plane, uint32_t flags) override;

    // Where a dragged pivot at target lands with the snap on: on the grid in the
    // construction plane's axes (its height over the plane kept), or on a pivot another
    // node offers near it on screen; the moving nodes offer none.
    Point3 snapDragged(const Point3& target, const std::vector<const Node*>& moving);

    // The point of plane under a window position, unsnapped; false when the view ray
    // runs parallel to the plane or meets it behind the eye.
    bool pointOnPlane(IPoint2 mouse, const Matrix3& plane, Point3& world);
    // Mouse-style window position (y down) of a world point; false behind the eye.
    bool mousePosition(const Point3& world, Point2& window);

private:
    void sync();
    Point3 nearestGridPoint(const Point3& world, const Matrix3& plane) const;
    bool nearestOfferedPivot(IPoint2 mouse, const Matrix3& plane, Point3& world,
                             const std::vector<const Node*>& silent = {});

    Camera camera_;
    Framebuffer image_;
    SoftwareGraphics graphics_{image_};
    ViewProjection projection_;
    unsigned projectedRevision_ = 0;
    int projectedWidth_ = 0, projectedHeight_ = 0;
    Scene* scene_ = nullptr;
    TimeValue time_ = 0;
};
