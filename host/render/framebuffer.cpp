#include "render/framebuffer.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float FAR_AWAY = -std::numeric_limits<float>::infinity();

uint8_t channel(float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); }

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
    const uint32_t word = pack(c);
    for (const IPoint2& d : offsets) {
        int px = x + d.x, py = row + d.y;
        if (!contains(px, py)) continue;
        if (depthTest)
            plotDepthAt(index(px, py), key, word);
        else
            colour_[index(px, py)] = word;
    }
}

bool clipSegment(float x0, float y0, float x1, float y1, float xmin, float ymin, float xmax,
                 float ymax, float& t0, float& t1) {
    // Liang-Barsky: each window edge trims the parameter range of the segment.
    t0 = 0.0f;
    t1 = 1.0f;
    if (std::min(x0, x1) >= xmin && std::max(x0, x1) <= xmax && std::min(y0, y1) >= ymin &&
        std::max(y0, y1) <= ymax)
        return true;  // the common case: nothing to clip
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
    const float edge = 0.49f;  // rounded positions stay inside the image
    if (!clipSegment(x0, row0, x1, row1, -edge, -edge, width_ - 1 + edge, height_ - 1 + edge, t0,
                     t1))
        return;
    float dx = x1 - x0, dy = row1 - row0, dk = key1 - key0;
    // Shifted by half a pixel, the clipped positions are positive: truncation rounds them.
    float ax = x0 + dx * t0 + 0.5f, ay = row0 + dy * t0 + 0.5f, ak = key0 + dk * t0;
    float bx = x0 + dx * t1 + 0.5f, by = row0 + dy * t1 + 0.5f, bk = key0 + dk * t1;
    float span = std::max(std::fabs(bx - ax), std::fabs(by - ay));
    int steps = static_cast<int>(span);
    if (static_cast<float>(steps) < span) ++steps;  // rounded up
    float inv = steps > 0 ? 1.0f / static_cast<float>(steps) : 0.0f;
    // Positions step in 16.16 fixed point: no float conversion per pixel.
    const float one = 65536.0f;
    int32_t x = static_cast<int32_t>(ax * one), y = static_cast<int32_t>(ay * one);
    int32_t sx = static_cast<int32_t>((bx - ax) * inv * one);
    int32_t sy = static_cast<int32_t>((by - ay) * inv * one);
    float key = ak, sk = (bk - ak) * inv;
    const uint32_t word = pack(c);
    for (int i = 0; i <= steps; ++i, x += sx, y += sy, key += sk) {
        size_t at = index(x >> 16, y >> 16);
        if (depthTest)
            plotDepthAt(at, key, word);
        else
            colour_[at] = word;
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
