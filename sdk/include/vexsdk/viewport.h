// What a host's viewport offers an object that draws, picks and snaps in it.
#pragma once
#include "api.h"
#include "geom.h"
#include "values.h"

// Render-limit flag bits of a ViewGraphics window.
constexpr unsigned GW_WIREFRAME = 0x2;
constexpr unsigned GW_Z_BUFFER = 0x20;
constexpr unsigned GW_PICK = 0x1000;

// Colour kinds of setDrawColor.
constexpr int COLOR_LINE = 0;
constexpr int COLOR_FILL = 1;
constexpr int COLOR_TEXT = 2;

// Point-marker kinds of drawPointMarker.
constexpr int MARKER_POINT = 0;
constexpr int MARKER_HOLLOW_BOX = 1;
constexpr int MARKER_PLUS = 2;
constexpr int MARKER_X = 3;
constexpr int MARKER_CIRCLE = 4;
constexpr int MARKER_DIAMOND = 5;

// Hit-region kinds. An object's pick answers for a point region always; for the others
// only when crossing is set, leaving a window pick to the host.
constexpr int HITREGION_POINT = 1;   // a square of +-size pixels around one point
constexpr int HITREGION_RECT = 2;    // the rectangle spanned by two points
constexpr int HITREGION_CIRCLE = 3;  // a circle: centre and a point on its rim

struct HitRegion {
    int regionKind = 0;    // one of HITREGION_*
    int crossingFlag = 0;  // nonzero: touching the region is enough; zero: must lie inside
    int size = 0;          // half-width in pixels of a point region
    IPoint2 a, b;          // point region: a is the centre; rect: corners; circle: centre, rim
};
// Fills region from a kind, the crossing flag, a size and the mouse point(s): kinds
// HITREGION_RECT and HITREGION_CIRCLE take two points at p[0] and p[1].
CORE_API void MakeHitRegion(HitRegion& region, int kind, int crossing, int size, IPoint2* p);

// A drawing window of one viewport.
class ViewGraphics {
public:
    virtual void setDrawColor(int kind, float r, float g, float b) = 0;
    virtual void setDrawTransform(const Matrix3& tm) = 0;
    virtual void setRenderFlags(unsigned flags) = 0;
    virtual unsigned renderFlags() = 0;
    virtual void drawText(Point3* pos, const char* text) = 0;
    virtual void drawPointMarker(Point3* pos, int kind) = 0;
    // count points joined by lines; the further arguments (per-vertex colours, closed
    // flag, per-edge visibility, normals) may all be zero.
    virtual void drawPolyline(int count, Point3* pts, Point3* colors, int closed, int* edgeVis,
                              Point3* normals) = 0;
    virtual int windowHeight() = 0;
    // Projects a point of the current transform to the window: x to the right, y up
    // from the bottom row, z the depth.
    virtual void projectToWindow(Point3* in, Point3* out) = 0;
    virtual void setPickRegion(HitRegion* region) = 0;
    virtual void clearPickHit() = 0;
    virtual int pickHit() = 0;

protected:
    ~ViewGraphics() = default;
};

// Bit of the display flag word a host hands an object (storeDisplayFlags): the object's
// world box shrinks to its pivot.
constexpr int DISPLAY_WORLD_BOX_COLLAPSE = 0x20;

// Bit of snapPointOnPlane's flags: apply the host's snaps (grid and pivots) to the point.
constexpr uint32_t SNAP_APPLY = 1;

class HostViewport {
public:
    virtual ViewGraphics* graphics() = 0;
    // The viewport's screen scale at a world point: the world distance that 200 pixels
    // span there, so that scale * 0.005 is one pixel's worth of world units.
    virtual float screenScaleAt(Point3 p) = 0;
    // The world point on the construction plane (or plane, when given) under a window
    // position, after the host's snapping; out receives the snapped window position.
    virtual Point3 snapPointOnPlane(IPoint2* in, IPoint2* out, Matrix3* plane, uint32_t flags) = 0;

protected:
    ~HostViewport() = default;
};

class SceneNode {
public:
    virtual Matrix3 objectTransformAt(TimeValue t, Interval* valid = nullptr) = 0;
    virtual int isSelectedNode() = 0;
    virtual int isFrozenNode() = 0;

protected:
    ~SceneNode() = default;
};

// Either of these limits a snap request to points on its snap plane.
constexpr int SNAP_MODE_IN_PLANE = 1;  // a value of snapMode
constexpr int SNAP_FLAG_IN_PLANE = 1;  // a bit of snapFlags

// A snap request, which also carries the best snap found so far.
struct SnapQuery {
    int snapMode = 0;    // SNAP_MODE_IN_PLANE: only points on the snap plane
    int snapRadius = 0;  // pixels
    int vertexRank = 0;  // <= 0: vertex snapping off; smaller is more important
    int edgeRank = 0;
    int faceRank = 0;
    int reserved = 0;
    int snapFlags = 0;  // SNAP_FLAG_IN_PLANE: only points on the snap plane
    Matrix3 snapPlane{true};
    Point3 bestPointWorld;
    Point2 bestPointScreen;
    int bestDistance = 0x7FFFFFFF;
    int bestRank = 0x7FFFFFFF;
};
