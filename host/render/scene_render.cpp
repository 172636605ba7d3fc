#include "render/scene_render.h"
#include "render/bitmap_font.h"
#include "render/grid.h"
#include "render/level_drawing.h"
#include "render/selection_mark.h"
#include "scene/scene.h"

namespace {

const Rgb BACKGROUND = {40, 40, 44};
const Rgb LABEL = {200, 200, 200};
const Rgb WORLD_OUTLINE = {96, 100, 112};
const Rgb SELECTED_OUTLINE = {255, 110, 80};

// A node's brushes: the world's quiet, an entity's in the colour it drew itself in, the
// selection's highlighted.
Rgb outlineColour(const Node& node, Rgb drawnIn) {
    if (node.frozen()) return rgbFromFloats(FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
    if (node.selected()) return SELECTED_OUTLINE;
    const std::shared_ptr<const BrushOutlines> outlines = nodeOutlines(node);
    return outlines && outlines->world ? WORLD_OUTLINE : drawnIn;
}

}  // namespace

void renderViewport(SoftwareViewport& view, Scene& scene, TimeValue t,
                    const ProgressReport& progress) {
    view.setScene(&scene, t);
    view.image().clear(BACKGROUND);
    SoftwareGraphics& gw = view.window();
    gw.resetState();
    drawGrid(view);
    uint64_t done = 0, total = scene.size();
    for (const auto& node : scene.nodes()) {
        if (progress && ++done % PROGRESS_STEP == 0) progress(done, total);
        if (node->hidden() || !node->object()) continue;
        gw.resetState();
        if (node->frozen()) {
            gw.setDrawColor(COLOR_LINE, FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
            gw.setDrawColor(COLOR_TEXT, FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
        }
        node->object()->drawInViewport(t, node.get(), &view, 0);
        drawNodeOutlines(view, *node, outlineColour(*node, gw.lineColour()));
        if (node->selected()) drawSelectionMark(view, *node, t);
    }
    if (progress) progress(total, total);
    gw.resetState();
    drawBitmapText(view.image(), 6, 5, viewKindName(view.kind()), LABEL);
}
