#include "render/light_glows.h"
#include <algorithm>
#include <cmath>
#include "render/light_styles.h"
#include "render/scene_render.h"

namespace {

// Words of the image hold 0x00RRGGBB: a set top byte marks a pixel the picture left alone.
constexpr uint32_t NOTHING_DRAWN = 0xFF000000u;
// How far a light at normal brightness tints the ground at its pivot, of 255: enough to
// read at a glance, while a doubled light still shows brighter; no glow tints it further
// than CAP.
constexpr float STRENGTH = 0.4f * 255.0f;
constexpr int CAP = 204;
// A pixel's strength once it is drawn at this step: above CAP, so never a glow's.
constexpr uint8_t DRAWN_NOW = 255;
constexpr int FULL_FADE = 65535;

// Per pixel of a glow's square, rows from the top: how much of its light reaches there, of
// FULL_FADE, from all at the pivot to nothing at the radius (a disc with a soft edge).
std::vector<uint16_t> fadeSquare(int radius) {
    const int side = 2 * radius + 1;
    std::vector<uint16_t> fade(static_cast<size_t>(side) * side);
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const float share = 1.0f - float(dx * dx + dy * dy) / float(radius * radius);
            fade[static_cast<size_t>(dy + radius) * side + dx + radius] =
                static_cast<uint16_t>(std::max(0.0f, share) * FULL_FADE);
        }
    return fade;
}

// The ground's word moved towards the glow colour by strength / 256 of the way.
uint32_t tinted(uint32_t ground, uint8_t strength) {
    auto channel = [&](int shift, uint8_t towards) {
        const int from = static_cast<int>((ground >> shift) & 0xFF);
        return static_cast<uint32_t>(from + (((towards - from) * strength) >> 8)) << shift;
    };
    return channel(16, GLOW_COLOUR.r) | channel(8, GLOW_COLOUR.g) | channel(0, GLOW_COLOUR.b);
}

GlowArea unite(const GlowArea& a, const GlowArea& b) {
    if (a.empty()) return b;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// Where a light's glow lies on the image, and its radius there; false when none of it
// would be seen.
bool glowArea(SoftwareViewport& view, const Node& node, int& x, int& y, int& radius,
              GlowArea& area) {
    Point2 at;
    if (node.hidden() || node.isOpaque() || !view.mousePosition(node.position(), at)) return false;
    const float pixels = GLOW_RADIUS / view.projection().unitsPerPixelAt(node.position());
    radius = static_cast<int>(
        std::clamp(pixels, float(GLOW_SMALLEST_PIXELS), float(GLOW_LARGEST_PIXELS)));
    const int w = view.width(), h = view.height();
    // Tested before rounding: a pivot far off the image may be beyond what an int holds.
    if (!(at.x > -radius - 1 && at.x < w + radius && at.y > -radius - 1 && at.y < h + radius))
        return false;
    x = static_cast<int>(std::lround(at.x));
    y = static_cast<int>(std::lround(at.y));
    area = {std::max(x - radius, 0), std::max(y - radius, 0), std::min(x + radius + 1, w),
            std::min(y + radius + 1, h)};
    return !area.empty();
}

}  // namespace

void LightGlows::capture(SoftwareViewport& view, const std::vector<LitEntity>& lights,
                         const std::function<void()>& drawPicture) {
    glows_.clear();
    fades_.clear();
    all_ = {};
    animated_ = false;
    for (const LitEntity& light : lights) {
        Glow glow{0, 0, 0, {}, nullptr, light.style, 0};
        if (!light.node || !glowArea(view, *light.node, glow.x, glow.y, glow.radius, glow.area))
            continue;
        std::vector<uint16_t>& fade = fades_[glow.radius];
        if (fade.empty()) fade = fadeSquare(glow.radius);
        glow.fade = fade.data();
        glows_.push_back(glow);
        all_ = unite(all_, glow.area);
        animated_ = animated_ || lightStyleVaries(light.style);
    }
    if (glows_.empty()) {
        ground_.clear(), drawn_.clear(), strength_.clear();
        return drawPicture();
    }
    const Framebuffer& image = view.image();
    renderGround(view);
    width_ = image.width();
    const size_t pixels = static_cast<size_t>(width_) * image.height();
    ground_.assign(image.bits(), image.bits() + pixels);
    drawPicture();
    drawn_.resize(pixels);
    for (size_t i = 0; i < pixels; ++i)
        drawn_[i] = image.bits()[i] != ground_[i] ? image.bits()[i] : NOTHING_DRAWN;
    strength_.assign(pixels, 0);
}

// each(row, first, count): the glow's square on the image, a row at a time; first is the
// index of the row's first pixel in the image.
template <typename EachRow>
void LightGlows::forEachRow(const Glow& glow, EachRow each) const {
    const int count = glow.area.right - glow.area.left;
    for (int row = glow.area.top; row < glow.area.bottom; ++row)
        each(row, static_cast<size_t>(row) * width_ + glow.area.left, count);
}

// Overlapping glows tint a pixel as the strongest of them does, so that a crowd of lights
// is no brighter than one; each pixel is drawn once, from what was kept and never from the
// image.
GlowArea LightGlows::draw(Framebuffer& image, double seconds) {
    bool changed = false;
    for (Glow& glow : glows_) {
        const char letter = lightStyleLetter(glow.style, seconds);
        changed = changed || letter != glow.shown;
        glow.shown = letter;
    }
    if (!changed) return {};
    uint8_t* const strength = strength_.data();
    for (const Glow& glow : glows_)
        forEachRow(glow, [&](int, size_t first, int count) {
            std::fill(strength + first, strength + first + count, 0);
        });
    for (const Glow& glow : glows_) {
        const int scale = static_cast<int>(STRENGTH * letterBrightness(glow.shown));
        const int side = 2 * glow.radius + 1;
        forEachRow(glow, [&](int row, size_t first, int count) {
            const uint16_t* fade = glow.fade +
                                   static_cast<size_t>(row - glow.y + glow.radius) * side +
                                   (glow.area.left - glow.x + glow.radius);
            uint8_t* const s = strength + first;
            for (int i = 0; i < count; ++i)
                s[i] = static_cast<uint8_t>(
                    std::max<int>(s[i], std::min(CAP, (fade[i] * scale) / (FULL_FADE + 1))));
        });
    }
    uint32_t* const words = image.row(0);
    for (const Glow& glow : glows_)
        forEachRow(glow, [&](int, size_t first, int count) {
            for (size_t i = first; i < first + count; ++i) {
                if (strength[i] == DRAWN_NOW) continue;
                words[i] = drawn_[i] != NOTHING_DRAWN ? drawn_[i] : tinted(ground_[i], strength[i]);
                strength[i] = DRAWN_NOW;
            }
        });
    return all_;
}
