#include "render/light_glows.h"
#include <algorithm>
#include <cmath>
#include "render/light_styles.h"
#include "render/scene_render.h"

namespace {

// Words of the image hold 0x00RRGGBB: a set top byte marks a pixel the picture left alone.
constexpr uint32_t NOTHING_DRAWN = 0xFF000000u;
// How far a light at normal brightness tints the ground at its pivot: enough to read at a
// glance, while a doubled light still shows brighter; no glow tints it further than CAP.
constexpr float STRENGTH = 0.4f;
constexpr float CAP = 0.8f;

// How far a glow tints the pixel (dx, dy) from its pivot, 0 to 255: most at the pivot,
// fading to nothing at the radius (a disc with a soft edge), scaled by the letter's brightness.
uint8_t glowStrength(int dx, int dy, int radius, char letter) {
    const float fade = 1.0f - float(dx * dx + dy * dy) / float(radius * radius);
    if (fade <= 0.0f) return 0;
    const float share = std::min(CAP, fade * STRENGTH * letterBrightness(letter));
    return static_cast<uint8_t>(share * 255.0f);
}

// The ground's word moved towards the glow colour by strength / 255 of the way.
uint32_t tinted(uint32_t ground, uint8_t strength) {
    auto channel = [&](int shift, uint8_t towards) {
        const int from = static_cast<int>((ground >> shift) & 0xFF);
        return static_cast<uint32_t>(from + (towards - from) * strength / 255) << shift;
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
    if (node.hidden || node.isOpaque() || !view.mousePosition(node.position(), at)) return false;
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
    all_ = {};
    animated_ = false;
    for (const LitEntity& light : lights) {
        Glow glow{0, 0, 0, {}, light.style, 0};
        if (!light.node || !glowArea(view, *light.node, glow.x, glow.y, glow.radius, glow.area))
            continue;
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

// each(index, dx, dy) for every pixel of the glow's square on the image.
template <typename EachPixel>
void LightGlows::forEachPixel(const Glow& glow, EachPixel each) const {
    for (int row = glow.area.top; row < glow.area.bottom; ++row)
        for (int x = glow.area.left; x < glow.area.right; ++x)
            each(static_cast<size_t>(row) * width_ + x, x - glow.x, row - glow.y);
}

// Overlapping glows tint a pixel as the strongest of them does, so that a crowd of lights
// is no brighter than one; every pixel is worked out from what was kept, never from the
// image, so drawing one twice changes nothing.
GlowArea LightGlows::draw(Framebuffer& image, double seconds) {
    bool changed = false;
    for (Glow& glow : glows_) {
        const char letter = lightStyleLetter(glow.style, seconds);
        changed = changed || letter != glow.shown;
        glow.shown = letter;
    }
    if (!changed) return {};
    for (const Glow& glow : glows_)
        forEachPixel(glow, [&](size_t i, int, int) { strength_[i] = 0; });
    for (const Glow& glow : glows_)
        forEachPixel(glow, [&](size_t i, int dx, int dy) {
            strength_[i] = std::max(strength_[i], glowStrength(dx, dy, glow.radius, glow.shown));
        });
    uint32_t* const words = image.row(0);
    for (const Glow& glow : glows_)
        forEachPixel(glow, [&](size_t i, int, int) {
            words[i] = drawn_[i] != NOTHING_DRAWN ? drawn_[i] : tinted(ground_[i], strength_[i]);
        });
    return all_;
}
