// Pictures that tests write of rendered viewports, for a person to look at.
#pragma once
#include <algorithm>
#include <string>
#include <vector>
#include "render/scene_render.h"

// renderViewport followed by writePng of the view's image.
inline bool renderViewportToPng(SoftwareViewport& view, Scene& scene, const std::string& path,
                                std::string& error, TimeValue t = 0) {
    renderViewport(view, scene, t);
    return writePng(view.image(), path, error);
}

// Images laid out in rows of `columns`, separated by a one-pixel border.
inline Framebuffer composeImages(const std::vector<const Framebuffer*>& images, int columns) {
    columns = std::max(columns, 1);
    int rows = static_cast<int>((images.size() + columns - 1) / columns);
    int cellW = 0, cellH = 0;
    for (const Framebuffer* image : images) {
        cellW = std::max(cellW, image->width());
        cellH = std::max(cellH, image->height());
    }
    Framebuffer out(columns * (cellW + 1) + 1, rows * (cellH + 1) + 1);
    out.clear(Rgb{12, 12, 12});  // the border
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
