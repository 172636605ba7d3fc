// An RGB image with a depth buffer, and the raster operations the software renderer
// needs: lines and single pixels, all clipped to the image. Pixels are kept as 32-bit
// words 0x00RRGGBB, the layout of a 32-bit Windows bitmap, so a window can show them
// as they are.
#pragma once
#include <cstdint>
#include <vector>
#include "vexsdk/geom.h"

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// A colour from (red, green, blue) floats 0..1, clamped.
Rgb rgbFromFloats(float r, float g, float b);

class Framebuffer {
public:
    Framebuffer(int width = 1, int height = 1);

    int width() const { return width_; }
    int height() const { return height_; }
    void resize(int width, int height);
    // Fills the image and forgets every depth.
    void clear(Rgb colour);

    Rgb pixel(int x, int row) const { return unpack(colour_[index(x, row)]); }
    // Rows from the top, each width() words.
    const uint32_t* bits() const { return colour_.data(); }
    // One row's words, for work that copies or blends whole runs of pixels.
    uint32_t* row(int row) { return &colour_[index(0, row)]; }
    const uint32_t* row(int row) const { return &colour_[index(0, row)]; }
    // The image as packed RGB bytes, rows from the top.
    std::vector<uint8_t> rgbBytes() const;
    bool contains(int x, int row) const {
        return x >= 0 && row >= 0 && x < width_ && row < height_;
    }

    void plot(int x, int row, Rgb c) {
        if (contains(x, row)) colour_[index(x, row)] = pack(c);
    }
    // The pixels (x + dx, row + dy) of a small pattern, all at one depth key.
    void plotPattern(int x, int row, const std::vector<IPoint2>& offsets, float key, Rgb c,
                     bool depthTest);
    // A mask of up to 16 columns (bit i of a row word is column x + i) and rows from top.
    void plotMask(int x, int top, const uint16_t* rows, int rowCount, Rgb c);
    // Pixels from (left, top) up to but not including (right, bottom) in one colour.
    void fill(int left, int top, int right, int bottom, Rgb c);
    // A line between window positions (pixel centres on whole numbers) with depth keys
    // at its ends; with depthTest false it is drawn over everything and keeps no depth.
    void drawLine(float x0, float row0, float key0, float x1, float row1, float key1, Rgb c,
                  bool depthTest);

private:
    // A line whose ends are on the image, rounded positions included.
    void rasterLine(float ax, float ay, float ak, float bx, float by, float bk, uint32_t word,
                    bool depthTest);
    size_t index(int x, int row) const { return static_cast<size_t>(row) * width_ + x; }
    static uint32_t pack(Rgb c) {
        return (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) | c.b;
    }
    static Rgb unpack(uint32_t w) {
        return {static_cast<uint8_t>(w >> 16), static_cast<uint8_t>(w >> 8),
                static_cast<uint8_t>(w)};
    }
    // Keys of a line and of what lies beneath it may meet exactly; the later one wins, so
    // a key draws over depths up to a little beyond it.
    static float depthReach(float key) {
        return key + (key > 0.0f ? key * DEPTH_TOLERANCE : -key * DEPTH_TOLERANCE);
    }
    // Whether a key reaching this far is drawn over the depth kept (a larger key is
    // nearer); keeps the nearer key.
    static bool passesDepth(float& kept, float key, float reach) {
        if (reach < kept) return false;
        if (key > kept) kept = key;
        return true;
    }

    static constexpr float DEPTH_TOLERANCE = 1e-6f;

    int width_ = 0, height_ = 0;
    std::vector<uint32_t> colour_;
    std::vector<float> depth_;
};

// Clips the segment to [xmin,xmax] x [ymin,ymax]; t0 and t1 receive the kept part as
// fractions of the segment. False when nothing is left.
bool clipSegment(double x0, double y0, double x1, double y1, double xmin, double ymin, double xmax,
                 double ymax, double& t0, double& t1);
