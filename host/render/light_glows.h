// The glow the host draws round each light's pivot, brightened and dimmed by the light's
// style. A glow has a size in the world, so that it follows the zoom, and lies under the
// picture: it tints the ground (background and grid) towards its colour and never past it,
// however many glows overlap, while whatever the picture draws there stays on top. The ground
// and the picture are kept, so another moment redraws the glows' squares alone and never the
// scene.
#pragma once
#include <functional>
#include <unordered_map>
#include <vector>
#include "render/software_viewport.h"
#include "scene/scene.h"

// A light entity: its node and the style its record holds.
struct LitEntity {
    const Node* node;
    int style;
};

// World units from a light's pivot to the edge of its glow.
constexpr int GLOW_RADIUS = 32;
// The fewest and most pixels a glow's radius takes, however far the view zooms: a framed
// level still shows each light's glow round its marker, and a close view does not fill with
// one.
constexpr int GLOW_SMALLEST_PIXELS = 6;
constexpr int GLOW_LARGEST_PIXELS = 160;
const Rgb GLOW_COLOUR = {255, 200, 90};

// The window area whose pixels a draw changed; empty when none.
struct GlowArea {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom not included
    bool empty() const { return right <= left || bottom <= top; }
};

class LightGlows {
public:
    // Draws the view's ground and keeps it under the glow of each light it shows (hidden
    // nodes and those off the image have none), then draws the picture with drawPicture and
    // keeps what that drew over the ground. Forgets what was kept before.
    void capture(SoftwareViewport& view, const std::vector<LitEntity>& lights,
                 const std::function<void()>& drawPicture);
    size_t size() const { return glows_.size(); }
    // Whether any glow kept changes with time.
    bool animated() const { return animated_; }
    // Draws the kept picture over the ground with every glow as at this moment; does
    // nothing when every glow would look as it does already.
    GlowArea draw(Framebuffer& image, double seconds);

private:
    struct Glow {
        int x, y;              // the pivot's pixel
        int radius;            // in pixels
        GlowArea area;         // its square, cut to the image
        const uint16_t* fade;  // its radius's fade square, whole (not cut to the image)
        int style;
        char shown;  // the letter drawn now, 0 before the first draw
    };
    template <typename EachRow>
    void forEachRow(const Glow& glow, EachRow each) const;

    std::vector<Glow> glows_;
    std::unordered_map<int, std::vector<uint16_t>> fades_;  // by radius, made once per capture
    int width_ = 0;
    std::vector<uint32_t> ground_;   // the image's words before the picture was drawn
    std::vector<uint32_t> drawn_;    // the picture's words over the ground, NOTHING_DRAWN elsewhere
    std::vector<uint8_t> strength_;  // how far each pixel is tinted now, 0 to 255
    GlowArea all_;
    bool animated_ = false;
};
