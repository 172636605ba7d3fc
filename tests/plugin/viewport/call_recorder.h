// Recorders of the calls a helper makes on a viewport, its drawing window and its node:
// each call is logged as text, in order, into one shared log.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include "vexsdk/viewport.h"

std::string text(const Point3& p);
std::string text(const Matrix3& m);

using CallLog = std::vector<std::string>;

// Only the entries whose text starts with prefix ("gw.", "vp.", "node.").
CallLog callsOf(const CallLog& log, const std::string& prefix);

class RecordingGraphics : public ViewGraphics {
public:
    explicit RecordingGraphics(CallLog& log) : log_(log) {}

    void setDrawColor(int kind, float r, float g, float b) override;
    void setDrawTransform(const Matrix3& tm) override;
    void setRenderFlags(unsigned flags) override;
    unsigned renderFlags() override;
    void drawText(Point3* pos, const char* s) override;
    void drawPointMarker(Point3* pos, int kind) override;
    void drawPolyline(int count, Point3* pts, Point3* colors, int closed, int* edgeVis,
                      Point3* normals) override;
    int windowHeight() override;
    void projectToWindow(Point3* in, Point3* out) override;
    void setPickRegion(HitRegion* region) override;
    void clearPickHit() override;
    int pickHit() override;

    unsigned flags = GW_Z_BUFFER | GW_WIREFRAME;
    int height = 480;
    Point3 projected;  // what projectToWindow answers
    int hitCode = 0;   // what pickHit answers
    HitRegion region;  // a copy of the last region installed
    Matrix3 transform{true};

private:
    CallLog& log_;
};

class RecordingViewport : public HostViewport {
public:
    RecordingViewport() : gw(log) {}

    ViewGraphics* graphics() override { return &gw; }
    float screenScaleAt(Point3 p) override;
    Point3 snapPointOnPlane(IPoint2* in, IPoint2* out, Matrix3* plane, uint32_t flags) override;

    CallLog log;
    RecordingGraphics gw;
    std::function<float(const Point3&)> scaleAt = [](const Point3&) { return 200.0f; };
    Point3 snapAnswer;  // what snapPointOnPlane answers
    IPoint2* lastIn = nullptr;
    IPoint2* lastOut = nullptr;
};

class RecordingNode : public SceneNode {
public:
    explicit RecordingNode(CallLog& log) : log_(log) {}

    Matrix3 objectTransformAt(TimeValue t, Interval* valid) override;
    int isSelectedNode() override;
    int isFrozenNode() override;

    Matrix3 transform{true};
    int selected = 0;
    int frozen = 0;

private:
    CallLog& log_;
};
