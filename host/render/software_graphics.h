// The reference host's drawing window: a software renderer behind ViewGraphics. With the
// pick bit in its render flags it draws nothing and instead tests what would be drawn
// against the installed pick region. With the z-buffer bit, lines and markers are hidden
// behind nearer ones already drawn; without it they are drawn over everything (texts
// always are). Everything is drawn as lines, so the wireframe bit changes nothing.
#pragma once
#include "render/camera.h"
#include "render/framebuffer.h"
#include "render/marker_patterns.h"
#include "render/pick_area.h"
#include "vexsdk/viewport.h"

constexpr unsigned DEFAULT_RENDER_FLAGS = GW_Z_BUFFER | GW_WIREFRAME;

class SoftwareGraphics : public ViewGraphics {
public:
    explicit SoftwareGraphics(Framebuffer& image) : image_(image) {}

    // The projection that later drawing goes through; owned by the viewport.
    void setProjection(const ViewProjection* projection);
    // Identity transform, default flags and colours: the state at the start of a frame.
    void resetState();

    void setDrawColor(int kind, float r, float g, float b) override;
    void setDrawTransform(const Matrix3& tm) override;
    void setRenderFlags(unsigned flags) override { flags_ = flags; }
    unsigned renderFlags() override { return flags_; }
    void drawText(Point3* pos, const char* text) override;
    void drawPointMarker(Point3* pos, int kind) override;
    void drawPolyline(int count, Point3* pts, Point3* colors, int closed, int* edgeVis,
                      Point3* normals) override;
    int windowHeight() override { return image_.height(); }
    void projectToWindow(Point3* in, Point3* out) override;
    void setPickRegion(HitRegion* region) override;
    void clearPickHit() override;
    int pickHit() override;

    // Whether something was drawn in pick mode since clearPickHit and all of it lay
    // inside the pick region: the window (non-crossing) verdict.
    bool pickStayedInside() const { return drewInPick_ && !leftRegion_; }
    // The line colour set last: what an object drew itself in.
    Rgb lineColour() const { return line_; }

private:
    bool picking() const { return (flags_ & GW_PICK) != 0; }
    void drawSegment(Point3 a, Point3 b, Rgb colour);
    void pickPiece(bool touches, bool inside);

    Framebuffer& image_;
    const ViewProjection* projection_ = nullptr;
    Matrix3 transform_{true};
    Matrix3 toView_{true};  // draw transform followed by the camera
    unsigned flags_ = DEFAULT_RENDER_FLAGS;
    Rgb line_, text_;
    PickArea area_;
    bool hit_ = false, drewInPick_ = false, leftRegion_ = false;
};
