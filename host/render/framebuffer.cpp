#include "render/framebuffer.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float FAR_AWAY = -std::numeric_limits<float>::infinity();
// Keys of a line and of the grid beneath it may meet exactly; the line still wins.
constexpr float DEPTH_TOLERANCE = 1e-6f;

uint8_t channel(float v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Rgb rgbFromFloats(float r, float g, float b) { return {channel(r), channel(g), channel(b)}; }

Framebuffer::Framebuffer(int width, int height) { resize(width, height); }

void Framebuffer::resize(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    colour_.assign(static_cast<size_t>(width_) * height_, Rgb());
    depth_.assign(colour_.size(), FAR_AWAY);
}

void Framebuffer::clear(Rgb colour) {
    std::fill(colour_.begin(), colour_.end(), colour);
    std::fill(depth_.begin(), depth_.end(), FAR_AWAY);
}

void Framebuffer::plotDepth(int x, int row, float key, Rgb c) {
    if (!contains(x, row)) return;
    size_t i = index(x, row);
    float tolerance = DEPTH_TOLERANCE * std::fabs(key);
    if (key + tolerance < depth_[i]) return;
    depth_[i] = std::max(depth_[i], key);
    colour_[i] = c;
}

bool clipSegment(float x0, float y0, float x1, float y1, float xmin, float ymin, float xmax,
                 float ymax, float& t0, float& t1) {
    // Liang-Barsky: each window edge trims the parameter range of the segment.
    t0 = 0.0f;
    t1 = 1.0f;
    float dx = x1 - x0, dy = y1 - y0;
    const float p[4] = {-dx, dx, -dy, dy};
    const float q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0f) {
            if (q[i] < 0.0f) return false;
            continue;
        }
        float t = q[i] / p[i];
        if (p[i] < 0.0f)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

void Framebuffer::drawLine(float x0, float row0, float key0, float x1, float row1, float key1,
                           Rgb c, bool depthTest) {
    float t0, t1;
    const float edge = 0.49f;  // keep rounded pixels inside the image
    if (!clipSegment(x0, row0, x1, row1, -edge, -edge, width_ - 1 + edge, height_ - 1 + edge, t0,
                     t1))
        return;
    float dx = x1 - x0, dy = row1 - row0, dk = key1 - key0;
    float ax = x0 + dx * t0, ay = row0 + dy * t0, ak = key0 + dk * t0;
    float bx = x0 + dx * t1, by = row0 + dy * t1, bk = key0 + dk * t1;
    int steps = static_cast<int>(std::ceil(std::max(std::fabs(bx - ax), std::fabs(by - ay))));
    float inv = steps > 0 ? 1.0f / static_cast<float>(steps) : 0.0f;
    float sx = (bx - ax) * inv, sy = (by - ay) * inv, sk = (bk - ak) * inv;
    for (int i = 0; i <= steps; ++i) {
        int x = static_cast<int>(std::lround(ax + sx * i));
        int row = static_cast<int>(std::lround(ay + sy * i));
        if (depthTest)
            plotDepth(x, row, ak + sk * i, c);
        else
            plot(x, row, c);
    }
}

void Framebuffer::fillRect(int x0, int row0, int x1, int row1, Rgb c) {
    x0 = std::max(x0, 0);
    row0 = std::max(row0, 0);
    x1 = std::min(x1, width_ - 1);
    row1 = std::min(row1, height_ - 1);
    for (int row = row0; row <= row1; ++row)
        for (int x = x0; x <= x1; ++x) colour_[index(x, row)] = c;
}
