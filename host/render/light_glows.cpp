#include "render/light_glows.h"
#include <algorithm>
#include <array>
#include <cmath>
#include "render/light_styles.h"

namespace {

constexpr int SIDE = 2 * GLOW_RADIUS + 1;
constexpr int LETTERS = 26;
// How much of the glow colour is added at the pivot of a light at normal brightness:
// enough to read at a glance on the dark background, while a doubled light still shows
// brighter than a normal one beyond the pivot, where it is not yet at white.
constexpr float STRENGTH = 0.6f;

using GlowSquare = std::array<uint32_t, SIDE * SIDE>;

// What a glow adds to the pixel (dx, dy) from its pivot, as a word of the image's layout
// (0x00RRGGBB): full at the pivot, fading to nothing at the radius (a disc with a soft
// edge), scaled by the letter's brightness.
uint32_t glowWord(int dx, int dy, char letter) {
    const float fade =
        std::max(0.0f, 1.0f - float(dx * dx + dy * dy) / (GLOW_RADIUS * GLOW_RADIUS));
    const float share = fade * STRENGTH * letterBrightness(letter);
    auto part = [share](uint8_t c, int shift) {
        return static_cast<uint32_t>(std::min(255.0f, c * share)) << shift;
    };
    return part(GLOW_COLOUR.r, 16) | part(GLOW_COLOUR.g, 8) | part(GLOW_COLOUR.b, 0);
}

// A glow's square for every letter, made once: a step then only adds words.
const std::array<GlowSquare, LETTERS>& glowSquares() {
    static const std::array<GlowSquare, LETTERS> squares = [] {
        std::array<GlowSquare, LETTERS> s{};
        for (int letter = 0; letter < LETTERS; ++letter)
            for (int i = 0; i < SIDE * SIDE; ++i)
                s[letter][i] = glowWord(i % SIDE - GLOW_RADIUS, i / SIDE - GLOW_RADIUS,
                                        static_cast<char>('a' + letter));
        return s;
    }();
    return squares;
}

// The three channels of two words added, each stopping at 255: the sum of the low seven
// bits cannot carry into the next channel, the top bit is put in after, and a channel
// that carried out of it is filled.
uint32_t addClamped(uint32_t a, uint32_t b) {
    constexpr uint32_t LOW = 0x7F7F7F, TOP = 0x808080;
    const uint32_t sum = ((a & LOW) + (b & LOW)) ^ ((a ^ b) & TOP);
    const uint32_t carried = ((a & b) | ((a | b) & ~sum)) & TOP;
    return sum | (carried >> 7) * 0xFF;
}

GlowArea unite(const GlowArea& a, const GlowArea& b) {
    if (a.empty()) return b;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// Where a light's glow lies on the image; false when none of it would be seen.
bool glowArea(SoftwareViewport& view, const Node& node, int& x, int& y, GlowArea& area) {
    Point2 at;
    if (node.hidden() || node.isOpaque() || !view.mousePosition(node.position(), at)) return false;
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
            kept_.insert(kept_.end(), image.row(row) + glow.area.left,
                         image.row(row) + glow.area.right);
        glows_.push_back(glow);
        all_ = unite(all_, glow.area);
        animated_ = animated_ || lightStyleVaries(light.style);
    }
}

void LightGlows::putBack(Framebuffer& image, const Glow& glow) const {
    const uint32_t* under = &kept_[glow.kept];
    const int width = glow.area.right - glow.area.left;
    for (int row = glow.area.top; row < glow.area.bottom; ++row, under += width)
        std::copy(under, under + width, image.row(row) + glow.area.left);
}

void LightGlows::shine(Framebuffer& image, const Glow& glow) {
    if (glow.shown == 'a') return;
    const GlowSquare& square = glowSquares()[glow.shown - 'a'];
    const int width = glow.area.right - glow.area.left;
    for (int row = glow.area.top; row < glow.area.bottom; ++row) {
        uint32_t* pixels = image.row(row) + glow.area.left;
        const uint32_t* add = square.data() + (row - glow.y + GLOW_RADIUS) * SIDE +
                              (glow.area.left - glow.x + GLOW_RADIUS);
        for (int i = 0; i < width; ++i) pixels[i] = addClamped(pixels[i], add[i]);
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
