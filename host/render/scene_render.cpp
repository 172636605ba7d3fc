#include "render/scene_render.h"
#include "render/bitmap_font.h"
#include "render/grid.h"
#include "render/level_drawing.h"
#include "render/selection_mark.h"
#include "scene/scene.h"

namespace {

const Rgb LABEL = {200, 200, 200};
const Rgb WORLD_OUTLINE = {96, 100, 112};
const Rgb SELECTED_OUTLINE = {255, 110, 80};

// An unselected entity's brushes keep the hue it drew itself in at this share of its
// brightness: on a real level they are most of the lines, and the selection must stand out.
constexpr int QUIET_SHARE_PERCENT = 55;

Rgb quieter(Rgb c) {
    auto part = [](uint8_t v) { return static_cast<uint8_t>(v * QUIET_SHARE_PERCENT / 100); };
    return {part(c.r), part(c.g), part(c.b)};
}

// A node's brushes: the world's quiet, an entity's in a quieter shade of the colour it drew
// itself in, the selection's highlighted.
Rgb outlineColour(const Node& node, Rgb drawnIn) {
    if (node.frozen()) return rgbFromFloats(FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
    if (node.selected()) return SELECTED_OUTLINE;
    const std::shared_ptr<const BrushOutlines> outlines = nodeOutlines(node);
    return outlines && outlines->world ? WORLD_OUTLINE : quieter(drawnIn);
}

// The node through its own display operation, its brushes, and the host's mark when selected.
void drawNode(SoftwareViewport& view, Node& node, TimeValue t) {
    SoftwareGraphics& gw = view.window();
    gw.resetState();
    // The selection is drawn over everything, whatever lies nearer the eye.
    if (node.selected()) gw.setRenderFlags(gw.renderFlags() & ~GW_Z_BUFFER);
    if (node.frozen()) {
        gw.setDrawColor(COLOR_LINE, FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
        gw.setDrawColor(COLOR_TEXT, FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
    }
    node.object()->drawInViewport(t, &node, &view, 0);
    drawNodeOutlines(view, node, outlineColour(node, gw.lineColour()));
    if (node.selected()) drawSelectionMark(view, node, t);
}

}  // namespace

void renderGround(SoftwareViewport& view) {
    view.image().clear(VIEW_BACKGROUND);
    view.window().resetState();
    drawGrid(view);
}

void renderViewport(SoftwareViewport& view, Scene& scene, TimeValue t,
                    const ProgressReport& progress) {
    view.setScene(&scene, t);
    renderGround(view);
    uint64_t done = 0, total = scene.size();
    // The selection last, so that nothing else is drawn over it.
    for (const bool selectedPass : {false, true})
        for (const auto& node : scene.nodes()) {
            if (node->selected() != selectedPass) continue;
            if (progress && ++done % PROGRESS_STEP == 0) progress(done, total);
            if (!node->hidden() && node->object()) drawNode(view, *node, t);
        }
    if (progress) progress(total, total);
    view.window().resetState();
    drawBitmapText(view.image(), 6, 5, viewKindName(view.kind()), LABEL);
}
