#include "render/brush_outlines.h"
#include <algorithm>
#include <cmath>
#include "brush_text.h"
#include "kept_entity.h"
#include "render/dual_hull.h"
#include "render/kept_brushes.h"

namespace {

// Far beyond any level's extent: a face starts as a square this big before it is cut.
constexpr double FACE_START_SIZE = 1 << 20;
constexpr double ON_PLANE = 1e-6;

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec normalised(Vec a) {
    const double length = std::sqrt(dot(a, a));
    return length > 0 ? a * (1 / length) : a;
}
Vec vec(const MapVector& v) { return {v.x, v.y, v.z}; }

// A face being cut: its corners, and for each edge (corner k to k + 1) the plane that
// made it (-1: the starting square's).
struct Face {
    std::vector<Vec> corners;
    std::vector<int> edgePlanes;
};

Face startingSquare(const MapPlane& plane) {
    const Vec n = vec(plane.normal);
    const Vec helper = std::fabs(n.z) < 0.9 ? Vec{0, 0, 1} : Vec{1, 0, 0};
    const Vec u = normalised(cross(n, helper)) * FACE_START_SIZE;
    const Vec v = normalised(cross(n, u)) * FACE_START_SIZE;
    const Vec centre = n * plane.distance;
    return {{centre - u - v, centre + u - v, centre + u + v, centre - u + v}, {-1, -1, -1, -1}};
}

// Keeps the part of the face where side * (n . p - d) <= 0. Most planes of a many-sided
// brush miss a face: those are told from its corners without making a new face.
void cut(Face& face, const MapPlane& plane, int planeIndex, double side) {
    const Vec n = vec(plane.normal);
    if (std::all_of(face.corners.begin(), face.corners.end(), [&](const Vec& corner) {
            return side * (dot(n, corner) - plane.distance) <= ON_PLANE;
        }))
        return;
    Face kept;
    const size_t count = face.corners.size();
    for (size_t k = 0; k < count; ++k) {
        const Vec a = face.corners[k], b = face.corners[(k + 1) % count];
        const double fa = side * (dot(n, a) - plane.distance);
        const double fb = side * (dot(n, b) - plane.distance);
        const bool aIn = fa <= ON_PLANE, bIn = fb <= ON_PLANE;
        if (aIn) {
            kept.corners.push_back(a);
            kept.edgePlanes.push_back(face.edgePlanes[k]);
        }
        if (aIn != bIn) {
            kept.corners.push_back(a + (b - a) * (fa / (fa - fb)));
            kept.edgePlanes.push_back(aIn ? planeIndex : face.edgePlanes[k]);
        }
    }
    face = std::move(kept);
}

Point3 point(Vec v) {
    return Point3(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

// The planes facing furthest along each way of each axis: cut by them first, a face is
// about the brush's size at once, and most other planes then miss it.
std::vector<uint32_t> boundingPlanes(const MapPlane* planes, uint32_t count, double side) {
    std::vector<uint32_t> bounding;
    for (int axis = 0; axis < 3; ++axis)
        for (const double way : {side, -side}) {
            uint32_t best = 0;
            for (uint32_t j = 1; j < count; ++j)
                if (way * (&planes[j].normal.x)[axis] > way * (&planes[best].normal.x)[axis])
                    best = j;
            bounding.push_back(best);
        }
    return bounding;
}

// Every edge of a closed brush once: from the face of the lower plane index. Planes
// point out of the brush with side 1 and into it with -1; false when none gave an edge.
// Face i: its plane's starting square cut by every other plane.
Face facePolygon(const MapPlane* planes, uint32_t count, uint32_t i, double side,
                 const std::vector<uint32_t>& bounding) {
    Face face = startingSquare(planes[i]);
    for (const uint32_t j : bounding)
        if (j != i && face.corners.size() >= 3) cut(face, planes[j], static_cast<int>(j), side);
    for (uint32_t j = 0; j < count && face.corners.size() >= 3; ++j)
        if (j != i) cut(face, planes[j], static_cast<int>(j), side);
    return face;
}

// A point strictly inside the brush: the mean of the corners of its bounding faces, which
// lie on every side of it. False when there is none (a brush of no volume).
bool pointInside(const MapPlane* planes, uint32_t count, double side,
                 const std::vector<uint32_t>& bounding, Vec& inside) {
    Vec sum{0, 0, 0};
    size_t corners = 0;
    for (const uint32_t i : bounding)
        for (const Vec& corner : facePolygon(planes, count, i, side, bounding).corners) {
            sum = sum + corner;
            ++corners;
        }
    if (corners == 0) return false;
    inside = sum * (1.0 / static_cast<double>(corners));
    for (uint32_t j = 0; j < count; ++j)
        if (side * (dot(vec(planes[j].normal), inside) - planes[j].distance) > -ON_PLANE)
            return false;
    return true;
}

// Every edge once, in about n log n: about a point inside, plane j is the point
// n / (d - n . inside) of the dual, and the dual's hull has a triangle for each corner of
// the brush (at inside + normal / offset) and an edge for each of its edges.
bool addHullEdges(const MapPlane* planes, uint32_t count, double side, BrushOutlines& out) {
    const std::vector<uint32_t> bounding = boundingPlanes(planes, count, side);
    Vec inside;
    if (count < 4 || !pointInside(planes, count, side, bounding, inside)) return false;
    std::vector<HullPoint> duals;
    for (uint32_t j = 0; j < count; ++j) {
        const Vec n = vec(planes[j].normal) * side;
        const Vec q = n * (1 / (side * planes[j].distance - dot(n, inside)));
        duals.push_back({q.x, q.y, q.z});
    }
    std::vector<HullTriangle> hull;
    if (!convexHull(duals, hull)) return false;
    std::vector<Vec> corners;
    for (const HullTriangle& t : hull) {
        if (t.offset <= 0) return false;
        corners.push_back(inside + Vec{t.normal.x, t.normal.y, t.normal.z} * (1 / t.offset));
    }
    for (size_t t = 0; t < hull.size(); ++t)
        for (const int u : hull[t].neighbours) {
            const Vec apart = corners[t] - corners[u];
            if (u <= static_cast<int>(t) || dot(apart, apart) <= ON_PLANE * ON_PLANE) continue;
            out.ends.push_back(point(corners[t]));
            out.ends.push_back(point(corners[u]));
        }
    return true;
}

bool addBrushEdges(const MapPlane* planes, uint32_t count, double side, BrushOutlines& out) {
    bool any = false;
    const std::vector<uint32_t> bounding = boundingPlanes(planes, count, side);
    for (uint32_t i = 0; i < count; ++i) {
        const Face face = facePolygon(planes, count, i, side, bounding);
        const size_t corners = face.corners.size();
        if (corners < 3) continue;
        for (size_t k = 0; k < corners; ++k) {
            if (face.edgePlanes[k] <= static_cast<int>(i)) continue;
            out.ends.push_back(point(face.corners[k]));
            out.ends.push_back(point(face.corners[(k + 1) % corners]));
            any = true;
        }
    }
    return any;
}

void addPatchGrid(const MapText& map, const MapBrush& patch, int rows, int columns,
                  BrushOutlines& out) {
    if (static_cast<uint32_t>(rows) * static_cast<uint32_t>(columns) != patch.count) return;
    auto at = [&](int row, int column) {
        return point(vec(map.points[patch.first + row * columns + column]));
    };
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            if (column + 1 < columns)
                out.ends.insert(out.ends.end(), {at(row, column), at(row, column + 1)});
            if (row + 1 < rows)
                out.ends.insert(out.ends.end(), {at(row, column), at(row + 1, column)});
        }
}

}  // namespace

BrushOutlines computeBrushOutlines(const std::vector<unsigned char>& bytes) {
    BrushOutlines out;
    KeptEntity kept;
    MapText map;
    if (!readKeptBrushes(bytes, kept, map)) return out;
    out.world = kept.world;
    out.anchor = brushTextOrigin(kept);
    for (const MapBrush& brush : map.entities.front().brushes) {
        int rows, columns;
        if (brush.isPatch) {
            if (patchSize(map.brushText(brush), rows, columns))
                addPatchGrid(map, brush, rows, columns, out);
            continue;
        }
        const MapPlane* planes = map.planes.data() + brush.first;
        // A brush of no volume (or an open one) has no hull: its faces are cut one by one.
        if (!addHullEdges(planes, brush.count, 1, out) &&
            !addHullEdges(planes, brush.count, -1, out) &&
            !addBrushEdges(planes, brush.count, 1, out))
            addBrushEdges(planes, brush.count, -1, out);
    }
    for (const Point3& end : out.ends) out.box += end;
    return out;
}
