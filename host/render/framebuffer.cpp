#include "render/framebuffer.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float FAR_AWAY = -std::numeric_limits<float>::infinity();

uint8_t channel(float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); }

struct LineEnd {
    double x, y, key;
};

enum : int { LEFT = 1, RIGHT = 2, ABOVE = 4, BELOW = 8 };

int outside(const LineEnd& p, double xmin, double ymin, double xmax, double ymax) {
    return (p.x < xmin ? LEFT : 0) | (p.x > xmax ? RIGHT : 0) | (p.y < ymin ? ABOVE : 0) |
           (p.y > ymax ? BELOW : 0);
}

// The point of the segment from p to q where the coordinate that `along` picks reaches edge.
// The edge's own coordinate is set exactly, so that ends far beyond the image (as far as
// floats go) cannot leave a rounding error larger than the image in it.
LineEnd pointAt(const LineEnd& p, const LineEnd& q, double LineEnd::*along, double edge) {
    const double r = (edge - p.*along) / (q.*along - p.*along);
    LineEnd at{p.x + (q.x - p.x) * r, p.y + (q.y - p.y) * r, p.key + (q.key - p.key) * r};
    at.*along = edge;
    return at;
}

// Cohen-Sutherland: moves the ends of the segment onto the rectangle; false when the
// segment misses it. Each step puts an end exactly on an edge, so four steps suffice.
bool clipToRectangle(LineEnd& a, LineEnd& b, double xmin, double ymin, double xmax, double ymax) {
    for (int step = 0; step < 8; ++step) {
        const int ca = outside(a, xmin, ymin, xmax, ymax), cb = outside(b, xmin, ymin, xmax, ymax);
        if ((ca | cb) == 0) return true;
        if ((ca & cb) != 0) return false;
        LineEnd& end = ca ? a : b;
        const LineEnd& other = ca ? b : a;
        const int code = ca ? ca : cb;
        if (code & LEFT)
            end = pointAt(end, other, &LineEnd::x, xmin);
        else if (code & RIGHT)
            end = pointAt(end, other, &LineEnd::x, xmax);
        else if (code & ABOVE)
            end = pointAt(end, other, &LineEnd::y, ymin);
        else
            end = pointAt(end, other, &LineEnd::y, ymax);
    }
    return false;
}

}  // namespace

Rgb rgbFromFloats(float r, float g, float b) { return {channel(r), channel(g), channel(b)}; }

Framebuffer::Framebuffer(int width, int height) { resize(width, height); }

void Framebuffer::resize(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    colour_.assign(static_cast<size_t>(width_) * height_, 0);
    depth_.assign(colour_.size(), FAR_AWAY);
}

void Framebuffer::clear(Rgb colour) {
    std::fill(colour_.begin(), colour_.end(), pack(colour));
    std::fill(depth_.begin(), depth_.end(), FAR_AWAY);
}

void Framebuffer::plotPattern(int x, int row, const std::vector<IPoint2>& offsets, float key, Rgb c,
                              bool depthTest) {
    // Locals, not members: a store through the pixel pointer may otherwise be taken to
    // change the image's size and pointers, which would then be read again per pixel.
    const int width = width_, height = height_;
    uint32_t* const colour = colour_.data();
    float* const depth = depth_.data();
    const uint32_t word = pack(c);
    const float reach = depthReach(key);
    for (const IPoint2& d : offsets) {
        const int px = x + d.x, py = row + d.y;
        if (px < 0 || py < 0 || px >= width || py >= height) continue;
        const size_t at = static_cast<size_t>(py) * width + px;
        if (depthTest && !passesDepth(depth[at], key, reach)) continue;
        colour[at] = word;
    }
}

void Framebuffer::plotMask(int x, int top, const uint16_t* rows, int rowCount, Rgb c) {
    const int width = width_, height = height_;  // locals, as in plotPattern
    uint32_t* const colour = colour_.data();
    const uint32_t word = pack(c);
    const bool columnsInside = x >= 0 && x + 16 <= width;
    for (int r = 0; r < rowCount; ++r) {
        const int row = top + r;
        if (row < 0 || row >= height) continue;
        uint32_t* const line = colour + static_cast<size_t>(row) * width;
        for (int col = 0, bits = rows[r]; bits; ++col, bits >>= 1)
            if ((bits & 1) && (columnsInside || (x + col >= 0 && x + col < width)))
                line[x + col] = word;
    }
}

void Framebuffer::fill(int left, int top, int right, int bottom, Rgb c) {
    left = std::max(left, 0), top = std::max(top, 0);
    right = std::min(right, width_), bottom = std::min(bottom, height_);
    for (int y = top; y < bottom; ++y) std::fill(row(y) + left, row(y) + right, pack(c));
}

bool clipSegment(double x0, double y0, double x1, double y1, double xmin, double ymin, double xmax,
                 double ymax, double& t0, double& t1) {
    // Liang-Barsky: each window edge trims the parameter range of the segment.
    t0 = 0.0;
    t1 = 1.0;
    if (std::min(x0, x1) >= xmin && std::max(x0, x1) <= xmax && std::min(y0, y1) >= ymin &&
        std::max(y0, y1) <= ymax)
        return true;  // the common case: nothing to clip
    double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

void Framebuffer::drawLine(float x0, float row0, float key0, float x1, float row1, float key1,
                           Rgb c, bool depthTest) {
    const float edge = 0.49f;  // rounded positions stay inside the image
    const float lastX = static_cast<float>(width_ - 1) + edge,
                lastRow = static_cast<float>(height_ - 1) + edge;
    auto onImage = [&](float x, float row) {
        return x >= -edge && x <= lastX && row >= -edge && row <= lastRow;  // false for NaN
    };
    if (onImage(x0, row0) && onImage(x1, row1))
        return rasterLine(x0, row0, key0, x1, row1, key1, pack(c), depthTest);
    // An end that is no finite number (a broken or overflowing transform) has no place on
    // the image.
    if (!std::isfinite(x0) || !std::isfinite(row0) || !std::isfinite(x1) || !std::isfinite(row1))
        return;
    // Ends far off the image are clipped in double precision, where their distances keep
    // enough digits to place the clipped ends within the image.
    LineEnd a{x0, row0, key0}, b{x1, row1, key1};
    if (!clipToRectangle(a, b, -edge, -edge, lastX, lastRow)) return;
    rasterLine(static_cast<float>(a.x), static_cast<float>(a.y), static_cast<float>(a.key),
               static_cast<float>(b.x), static_cast<float>(b.y), static_cast<float>(b.key), pack(c),
               depthTest);
}

void Framebuffer::rasterLine(float ax, float ay, float ak, float bx, float by, float bk,
                             uint32_t word, bool depthTest) {
    // Shifted by half a pixel, the positions are positive: truncation rounds them.
    ax += 0.5f, ay += 0.5f, bx += 0.5f, by += 0.5f;
    float span = std::max(std::fabs(bx - ax), std::fabs(by - ay));
    int steps = static_cast<int>(span);
    if (static_cast<float>(steps) < span) ++steps;  // rounded up
    float inv = steps > 0 ? 1.0f / static_cast<float>(steps) : 0.0f;
    // Positions step in 16.16 fixed point: no float conversion per pixel.
    const float one = 65536.0f;
    int32_t x = static_cast<int32_t>(ax * one), y = static_cast<int32_t>(ay * one);
    int32_t sx = static_cast<int32_t>((bx - ax) * inv * one);
    int32_t sy = static_cast<int32_t>((by - ay) * inv * one);
    const int width = width_;  // locals, as in plotPattern
    uint32_t* const colour = colour_.data();
    float* const depth = depth_.data();
    if (!depthTest) {
        for (int i = 0; i <= steps; ++i, x += sx, y += sy)
            colour[static_cast<size_t>(y >> 16) * width + (x >> 16)] = word;
        return;
    }
    float key = ak, sk = (bk - ak) * inv;
    for (int i = 0; i <= steps; ++i, x += sx, y += sy, key += sk) {
        const size_t at = static_cast<size_t>(y >> 16) * width + (x >> 16);
        if (passesDepth(depth[at], key, depthReach(key))) colour[at] = word;
    }
}

std::vector<uint8_t> Framebuffer::rgbBytes() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(colour_.size() * 3);
    for (uint32_t w : colour_) {
        Rgb c = unpack(w);
        bytes.insert(bytes.end(), {c.r, c.g, c.b});
    }
    return bytes;
}
