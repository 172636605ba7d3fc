#include "call_recorder.h"
#include <cstdio>

namespace {

// Adding 0 turns -0 into 0, so that a zero prints the same whatever its sign.
std::string number(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v + 0.0f));
    return buf;
}

}  // namespace

std::string text(const Point3& p) {
    return "(" + number(p.x) + "," + number(p.y) + "," + number(p.z) + ")";
}

std::string text(const Matrix3& m) {
    return "[" + text(m.rows[0]) + text(m.rows[1]) + text(m.rows[2]) + text(m.rows[3]) + "]";
}

CallLog callsOf(const CallLog& log, const std::string& prefix) {
    CallLog result;
    for (const std::string& entry : log)
        if (entry.compare(0, prefix.size(), prefix) == 0) result.push_back(entry);
    return result;
}

void RecordingGraphics::setDrawColor(int kind, float r, float g, float b) {
    log_.push_back("gw.setDrawColor " + std::to_string(kind) + " " + text(Point3(r, g, b)));
}

void RecordingGraphics::setDrawTransform(const Matrix3& tm) {
    transform = tm;
    log_.push_back("gw.setDrawTransform " + text(tm));
}

void RecordingGraphics::setRenderFlags(unsigned f) {
    flags = f;
    char buf[48];
    std::snprintf(buf, sizeof buf, "gw.setRenderFlags 0x%X", f);
    log_.push_back(buf);
}

unsigned RecordingGraphics::renderFlags() {
    log_.push_back("gw.renderFlags");
    return flags;
}

void RecordingGraphics::drawText(Point3* pos, const char* s) {
    log_.push_back("gw.drawText " + text(*pos) + " " + s);
}

void RecordingGraphics::drawPointMarker(Point3* pos, int kind) {
    log_.push_back("gw.drawPointMarker " + text(*pos) + " " + std::to_string(kind));
}

void RecordingGraphics::drawPolyline(int count, Point3* pts, Point3* colors, int closed,
                                     int* edgeVis, Point3* normals) {
    std::string entry = "gw.drawPolyline " + std::to_string(count);
    for (int i = 0; i < count; ++i) entry += " " + text(pts[i]);
    bool extrasZero = !colors && closed == 0 && !edgeVis && !normals;
    log_.push_back(entry + (extrasZero ? "" : " +extras"));
}

int RecordingGraphics::windowHeight() {
    log_.push_back("gw.windowHeight");
    return height;
}

void RecordingGraphics::projectToWindow(Point3* in, Point3* out) {
    log_.push_back("gw.projectToWindow " + text(*in));
    *out = projected;
}

void RecordingGraphics::setPickRegion(HitRegion* r) {
    region = *r;
    log_.push_back("gw.setPickRegion");
}

void RecordingGraphics::clearPickHit() { log_.push_back("gw.clearPickHit"); }

int RecordingGraphics::pickHit() {
    log_.push_back("gw.pickHit");
    return hitCode;
}

float RecordingViewport::screenScaleAt(Point3 p) {
    log.push_back("vp.screenScaleAt " + text(p));
    return scaleAt(p);
}

Point3 RecordingViewport::snapPointOnPlane(IPoint2* in, IPoint2* out, Matrix3* plane,
                                           uint32_t flags) {
    lastIn = in;
    lastOut = out;
    log.push_back("vp.snapPointOnPlane (" + std::to_string(in->x) + "," + std::to_string(in->y) +
                  ") plane=" + (plane ? "set" : "null") + " flags=" + std::to_string(flags));
    return snapAnswer;
}

Matrix3 RecordingNode::objectTransformAt(TimeValue t, Interval* valid) {
    log_.push_back("node.objectTransformAt " + std::to_string(t) + (valid ? " valid" : " null"));
    return transform;
}

int RecordingNode::isSelectedNode() {
    log_.push_back("node.isSelectedNode");
    return selected;
}

int RecordingNode::isFrozenNode() {
    log_.push_back("node.isFrozenNode");
    return frozen;
}
