#include "render/dual_hull.h"
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

HullPoint minus(const HullPoint& a, const HullPoint& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double dot(const HullPoint& a, const HullPoint& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
HullPoint cross(const HullPoint& a, const HullPoint& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

class Quickhull {
public:
    Quickhull(const std::vector<HullPoint>& points, std::vector<HullTriangle>& hull)
        : points_(points), hull_(hull) {
        double extent = 0;
        for (const HullPoint& p : points)
            extent = std::max({extent, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
        epsilon_ = extent * 1e-10;
    }

    bool build() {
        hull_.clear();
        if (!startTetrahedron()) return false;
        for (size_t t = 0; t < hull_.size(); ++t)
            while (!broken_ && !dead_[t] && !outside_[t].empty())
                addFarthestOf(static_cast<int>(t));
        compact();
        return !broken_;
    }

private:
    double distance(int triangle, int point) const {
        const HullTriangle& t = hull_[triangle];
        return dot(t.normal, points_[point]) - t.offset;
    }

    int makeTriangle(int a, int b, int c) {
        HullTriangle t{{a, b, c}, {-1, -1, -1}, {}, 0};
        t.normal = cross(minus(points_[b], points_[a]), minus(points_[c], points_[a]));
        const double length = std::sqrt(dot(t.normal, t.normal));
        if (length > 0) t.normal = {t.normal.x / length, t.normal.y / length, t.normal.z / length};
        t.offset = dot(t.normal, points_[a]);
        hull_.push_back(t);
        outside_.emplace_back();
        dead_.push_back(false);
        return static_cast<int>(hull_.size()) - 1;
    }

    // The four points furthest apart, as a first hull; every other point goes to a side.
    bool startTetrahedron() {
        const int n = static_cast<int>(points_.size());
        if (n < 4) return false;
        int a = 0, b = 0;
        for (int i = 1; i < n; ++i) {
            if (points_[i].x < points_[a].x) a = i;
            if (points_[i].x > points_[b].x) b = i;
        }
        const HullPoint ab = minus(points_[b], points_[a]);
        int c = -1, d = -1;
        double best = epsilon_;
        for (int i = 0; i < n; ++i) {
            const HullPoint away = cross(ab, minus(points_[i], points_[a]));
            if (std::sqrt(dot(away, away)) > best) best = std::sqrt(dot(away, away)), c = i;
        }
        if (c < 0) return false;
        const HullPoint normal = cross(ab, minus(points_[c], points_[a]));
        const double length = std::sqrt(dot(normal, normal));
        best = epsilon_;
        for (int i = 0; i < n; ++i) {
            const double off = std::fabs(dot(normal, minus(points_[i], points_[a]))) / length;
            if (off > best) best = off, d = i;
        }
        if (d < 0) return false;
        if (dot(normal, minus(points_[d], points_[a])) > 0) std::swap(b, c);  // d below abc
        const int faces[4][3] = {{a, b, c}, {a, d, b}, {b, d, c}, {c, d, a}};
        for (const auto& f : faces) makeTriangle(f[0], f[1], f[2]);
        linkAll();
        for (int i = 0; i < n; ++i)
            if (i != a && i != b && i != c && i != d) assign(i, {0, 1, 2, 3});
        return true;
    }

    // The first hull's neighbours, by their shared edges.
    void linkAll() {
        for (int t = 0; t < static_cast<int>(hull_.size()); ++t)
            for (int u = 0; u < static_cast<int>(hull_.size()); ++u)
                for (int k = 0; k < 3; ++k)
                    for (int m = 0; m < 3; ++m)
                        if (u != t && hull_[t].corners[k] == hull_[u].corners[(m + 1) % 3] &&
                            hull_[t].corners[(k + 1) % 3] == hull_[u].corners[m])
                            hull_[t].neighbours[k] = u;
    }

    void assign(int point, const std::vector<int>& triangles) {
        for (const int t : triangles)
            if (distance(t, point) > epsilon_) {
                outside_[t].push_back(point);
                return;
            }
    }

    // The visible triangles from t, and the horizon's edges in order round it: each its two
    // corners and the triangle beyond it.
    void findHorizon(int t, int enteredBy, int point) {
        visible_.push_back(t);
        dead_[t] = true;
        for (int step = 0; step < 3; ++step) {
            const int k = enteredBy < 0 ? step : (enteredBy + 1 + step) % 3;
            if (enteredBy >= 0 && k == enteredBy) continue;
            const int beyond = hull_[t].neighbours[k];
            if (beyond < 0) {
                broken_ = true;  // rounding tore the hull: the caller draws another way
                continue;
            }
            if (dead_[beyond]) continue;
            if (distance(beyond, point) > epsilon_) {
                const int back = edgeTo(beyond, t);
                findHorizon(beyond, back, point);
            } else {
                horizon_.push_back({hull_[t].corners[k], hull_[t].corners[(k + 1) % 3], beyond});
            }
        }
    }

    int edgeTo(int t, int other) const {
        for (int k = 0; k < 3; ++k)
            if (hull_[t].neighbours[k] == other) return k;
        return 0;
    }

    void addFarthestOf(int t) {
        int far = outside_[t].front();
        for (const int p : outside_[t])
            if (distance(t, p) > distance(t, far)) far = p;
        visible_.clear();
        horizon_.clear();
        findHorizon(t, -1, far);
        const int first = static_cast<int>(hull_.size());
        std::unordered_map<int, int> startingAt, endingAt;  // horizon corner -> new triangle
        for (const Edge& e : horizon_) {
            const int made = makeTriangle(e.from, e.to, far);
            hull_[made].neighbours[0] = e.beyond;
            HullTriangle& beyond = hull_[e.beyond];
            for (int k = 0; k < 3; ++k)
                if (beyond.corners[k] == e.to && beyond.corners[(k + 1) % 3] == e.from)
                    beyond.neighbours[k] = made;
            startingAt[e.from] = made;
            endingAt[e.to] = made;
        }
        // The horizon is one loop: each corner starts one of its edges and ends one.
        std::vector<int> made;
        for (int t = first; t < static_cast<int>(hull_.size()); ++t) {
            const auto next = startingAt.find(hull_[t].corners[1]);
            const auto previous = endingAt.find(hull_[t].corners[0]);
            if (next == startingAt.end() || previous == endingAt.end()) broken_ = true;
            hull_[t].neighbours[1] = next == startingAt.end() ? -1 : next->second;
            hull_[t].neighbours[2] = previous == endingAt.end() ? -1 : previous->second;
            made.push_back(t);
        }
        for (const int v : visible_) {
            for (const int p : outside_[v])
                if (p != far) assign(p, made);
            outside_[v].clear();
        }
    }

    // Only the living triangles stay, their neighbours renumbered.
    void compact() {
        std::vector<int> index(hull_.size(), -1);
        std::vector<HullTriangle> alive;
        for (size_t t = 0; t < hull_.size(); ++t)
            if (!dead_[t]) {
                index[t] = static_cast<int>(alive.size());
                alive.push_back(hull_[t]);
            }
        for (HullTriangle& t : alive)
            for (int& n : t.neighbours) n = n < 0 ? -1 : index[n];
        hull_ = std::move(alive);
    }

    struct Edge {
        int from, to, beyond;
    };

    const std::vector<HullPoint>& points_;
    std::vector<HullTriangle>& hull_;
    std::vector<std::vector<int>> outside_;
    std::vector<bool> dead_;
    std::vector<int> visible_;
    std::vector<Edge> horizon_;
    double epsilon_ = 0;
    bool broken_ = false;
};

}  // namespace

bool convexHull(const std::vector<HullPoint>& points, std::vector<HullTriangle>& hull) {
    return Quickhull(points, hull).build();
}
