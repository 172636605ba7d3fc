#include "render/light_glows.h"
#include <algorithm>
#include <array>
#include <cmath>
#include "render/light_styles.h"

namespace {

constexpr int SIDE = 2 * GLOW_RADIUS + 1;
// How much of the glow colour is added at the pivot of a light at normal brightness:
// half, so that a doubled light is near white there and a dark one adds nothing.
constexpr float STRENGTH = 0.5f;

// The share of the glow at each pixel of its square: full at the pivot, fading to none
// at the radius, so a glow reads as a soft disc.
const std::array<float, SIDE * SIDE>& falloff() {
    static const std::array<float, SIDE* SIDE> table = [] {
        std::array<float, SIDE * SIDE> t{};
        for (int dy = -GLOW_RADIUS; dy <= GLOW_RADIUS; ++dy)
            for (int dx = -GLOW_RADIUS; dx <= GLOW_RADIUS; ++dx) {
                const float fade =
                    std::max(0.0f, 1.0f - std::sqrt(float(dx * dx + dy * dy)) / GLOW_RADIUS);
                t[(dy + GLOW_RADIUS) * SIDE + dx + GLOW_RADIUS] = fade * fade;
            }
        return t;
    }();
    return table;
}

uint8_t brighten(uint8_t under, float add) {
    return static_cast<uint8_t>(std::min(255.0f, under + add));
}

GlowArea unite(const GlowArea& a, const GlowArea& b) {
    if (a.empty()) return b;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// Where a light's glow lies on the image; false when none of it would be seen.
bool glowArea(SoftwareViewport& view, const Node& node, int& x, int& y, GlowArea& area) {
    Point2 at;
    if (node.hidden || node.isOpaque() || !view.mousePosition(node.position(), at)) return false;
    const int w = view.width(), h = view.height();
    // Tested before rounding: a pivot far off the image may be beyond what an int holds.
    if (!(at.x > -GLOW_RADIUS - 1 && at.x < w + GLOW_RADIUS && at.y > -GLOW_RADIUS - 1 &&
          at.y < h + GLOW_RADIUS))
        return false;
    x = static_cast<int>(std::lround(at.x));
    y = static_cast<int>(std::lround(at.y));
    area = {std::max(x - GLOW_RADIUS, 0), std::max(y - GLOW_RADIUS, 0),
            std::min(x + GLOW_RADIUS + 1, w), std::min(y + GLOW_RADIUS + 1, h)};
    return !area.empty();
}

}  // namespace

void LightGlows::capture(SoftwareViewport& view, const std::vector<LitEntity>& lights) {
    glows_.clear();
    kept_.clear();
    all_ = {};
    animated_ = false;
    const Framebuffer& image = view.image();
    for (const LitEntity& light : lights) {
        Glow glow{0, 0, {}, kept_.size(), light.style, 0};
        if (!light.node || !glowArea(view, *light.node, glow.x, glow.y, glow.area)) continue;
        for (int row = glow.area.top; row < glow.area.bottom; ++row)
            for (int x = glow.area.left; x < glow.area.right; ++x)
                kept_.push_back(image.pixel(x, row));
        glows_.push_back(glow);
        all_ = unite(all_, glow.area);
        animated_ = animated_ || lightStyleVaries(light.style);
    }
}

void LightGlows::putBack(Framebuffer& image, const Glow& glow) const {
    const Rgb* under = &kept_[glow.kept];
    for (int row = glow.area.top; row < glow.area.bottom; ++row)
        for (int x = glow.area.left; x < glow.area.right; ++x) image.plot(x, row, *under++);
}

void LightGlows::shine(Framebuffer& image, const Glow& glow) {
    const float strength = letterBrightness(glow.shown) * STRENGTH;
    if (strength <= 0.0f) return;
    const std::array<float, SIDE* SIDE>& fade = falloff();
    for (int row = glow.area.top; row < glow.area.bottom; ++row)
        for (int x = glow.area.left; x < glow.area.right; ++x) {
            const float share =
                strength * fade[(row - glow.y + GLOW_RADIUS) * SIDE + x - glow.x + GLOW_RADIUS];
            const Rgb under = image.pixel(x, row);
            image.plot(
                x, row,
                {brighten(under.r, GLOW_COLOUR.r * share), brighten(under.g, GLOW_COLOUR.g * share),
                 brighten(under.b, GLOW_COLOUR.b * share)});
        }
}

// Every kept square goes back before any glow is added, so that overlapping glows add up.
GlowArea LightGlows::draw(Framebuffer& image, double seconds) {
    bool changed = false;
    for (Glow& glow : glows_) {
        const char letter = lightStyleLetter(glow.style, seconds);
        changed = changed || letter != glow.shown;
        glow.shown = letter;
    }
    if (!changed) return {};
    for (const Glow& glow : glows_) putBack(image, glow);
    for (const Glow& glow : glows_) shine(image, glow);
    return all_;
}
