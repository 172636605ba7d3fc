// The glow the host draws round each light's pivot, brightened and dimmed by the light's
// style. A glow adds its light to what is drawn beneath it, so the marker stays visible;
// the picture under every glow is kept, so another moment redraws the glows' squares
// alone and never the scene.
#pragma once
#include <vector>
#include "render/software_viewport.h"
#include "scene/scene.h"

// A light entity: its node and the style its record holds.
struct LitEntity {
    const Node* node;
    int style;
};

// Pixels from a light's pivot to the edge of its glow.
constexpr int GLOW_RADIUS = 14;
const Rgb GLOW_COLOUR = {255, 200, 90};

// The window area whose pixels a draw changed; empty when none.
struct GlowArea {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom not included
    bool empty() const { return right <= left || bottom <= top; }
};

class LightGlows {
public:
    // Keeps the view's picture as it is under the glow of each light it shows (hidden
    // nodes and those off the image have none), and forgets what was drawn before.
    void capture(SoftwareViewport& view, const std::vector<LitEntity>& lights);
    size_t size() const { return glows_.size(); }
    // Whether any glow kept changes with time.
    bool animated() const { return animated_; }
    // Puts the kept picture back under every glow and draws each as at this moment (on
    // the picture captured from); does nothing when every glow would look as it does
    // already.
    GlowArea draw(Framebuffer& image, double seconds);

private:
    struct Glow {
        int x, y;       // the pivot's pixel
        GlowArea area;  // its square, cut to the image
        size_t kept;    // where the words under it start in kept_
        int style;
        char shown;  // the letter drawn now, 0 before the first draw
    };
    void putBack(Framebuffer& image, const Glow& glow) const;
    static void shine(Framebuffer& image, const Glow& glow);

    std::vector<Glow> glows_;
    std::vector<uint32_t> kept_;
    GlowArea all_;
    bool animated_ = false;
};
