#include "render/scene_render.h"
#include <algorithm>
#include "render/bitmap_font.h"
#include "render/grid.h"
#include "scene/scene.h"

namespace {

const Rgb BACKGROUND = {40, 40, 44};
const Rgb BORDER = {12, 12, 12};
const Rgb LABEL = {200, 200, 200};

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
        if (node->hidden || !node->object()) continue;
        gw.resetState();
        if (node->frozen) {
            gw.setDrawColor(COLOR_LINE, FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
            gw.setDrawColor(COLOR_TEXT, FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
        }
        node->object()->drawInViewport(t, node.get(), &view, 0);
    }
    if (progress) progress(total, total);
    gw.resetState();
    drawBitmapText(view.image(), 6, 5, viewKindName(view.kind()), LABEL);
}

bool renderViewportToPng(SoftwareViewport& view, Scene& scene, const std::string& path,
                         std::string& error, TimeValue t) {
    renderViewport(view, scene, t);
    return writePng(view.image(), path, error);
}

Framebuffer composeImages(const std::vector<const Framebuffer*>& images, int columns) {
    columns = std::max(columns, 1);
    int rows = static_cast<int>((images.size() + columns - 1) / columns);
    int cellW = 0, cellH = 0;
    for (const Framebuffer* image : images) {
        cellW = std::max(cellW, image->width());
        cellH = std::max(cellH, image->height());
    }
    Framebuffer out(columns * (cellW + 1) + 1, rows * (cellH + 1) + 1);
    out.clear(BORDER);
    for (size_t i = 0; i < images.size(); ++i) {
        int left = static_cast<int>(i % columns) * (cellW + 1) + 1;
        int top = static_cast<int>(i / columns) * (cellH + 1) + 1;
        const Framebuffer& image = *images[i];
        for (int row = 0; row < image.height(); ++row)
            for (int x = 0; x < image.width(); ++x)
                out.plot(left + x, top + row, image.pixel(x, row));
    }
    return out;
}
