// An RGB image with a depth buffer, and the raster operations the software renderer
// needs: lines, rectangles and single pixels, all clipped to the image.
#pragma once
#include <cstdint>
#include <vector>

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

    Rgb pixel(int x, int row) const { return colour_[index(x, row)]; }
    const Rgb* pixels() const { return colour_.data(); }
    bool contains(int x, int row) const {
        return x >= 0 && row >= 0 && x < width_ && row < height_;
    }

    void plot(int x, int row, Rgb c) {
        if (contains(x, row)) colour_[index(x, row)] = c;
    }
    // Plots where nothing nearer was drawn (a larger key is nearer), and keeps the key.
    void plotDepth(int x, int row, float key, Rgb c);
    // A line between window positions (pixel centres on whole numbers) with depth keys
    // at its ends; with depthTest false it is drawn over everything and keeps no depth.
    void drawLine(float x0, float row0, float key0, float x1, float row1, float key1, Rgb c,
                  bool depthTest);
    void fillRect(int x0, int row0, int x1, int row1, Rgb c);  // inclusive corners

private:
    size_t index(int x, int row) const { return static_cast<size_t>(row) * width_ + x; }

    int width_ = 0, height_ = 0;
    std::vector<Rgb> colour_;
    std::vector<float> depth_;
};

// Clips the segment to [xmin,xmax] x [ymin,ymax]; t0 and t1 receive the kept part as
// fractions of the segment. False when nothing is left.
bool clipSegment(float x0, float y0, float x1, float y1, float xmin, float ymin, float xmax,
                 float ymax, float& t0, float& t1);
