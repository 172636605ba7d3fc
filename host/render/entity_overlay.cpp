#include "render/entity_overlay.h"
#include "render/point_path.h"
#include "render/position_mark.h"
#include <algorithm>
#include <cmath>
#include "render/bitmap_font.h"
#include "render/scene_render.h"
#include "scene/scene.h"

namespace {

const Rgb TRIPOD_SELECTED = {255, 255, 255};
const Rgb TRIPOD_UNSELECTED = {102, 102, 102};

// The colour the tripod of a node is drawn in.
Rgb tripodColour(const Node& node) {
    if (node.selected()) return TRIPOD_SELECTED;
    if (node.frozen()) return rgbFromFloats(FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
    return TRIPOD_UNSELECTED;
}

// An entity with its window position, when it is drawn over and has one.
struct Shown {
    const OverlayEntity* entity;
    bool placed;
    Point2 at;
};

// Labels already placed, in a grid of cells the size of a label line, so that testing a
// new label against its neighbours stays cheap with thousands of nodes. Only labels that
// touch the image are placed, so the grid covers the image and one cell round it.
class LabelSpace {
public:
    LabelSpace(int width, int height)
        : columns_(width / CELL + 3), rows_(height / CELL + 3), cells_(columns_ * rows_) {}
    bool take(int left, int top, int right, int bottom) {
        const Box box{left, top, right, bottom};
        for (int cy = cell(top, rows_); cy <= cell(bottom, rows_); ++cy)
            for (int cx = cell(left, columns_); cx <= cell(right, columns_); ++cx)
                for (const Box& b : cells_[cy * columns_ + cx])
                    if (left < b.right && b.left < right && top < b.bottom && b.top < bottom)
                        return false;
        for (int cy = cell(top, rows_); cy <= cell(bottom, rows_); ++cy)
            for (int cx = cell(left, columns_); cx <= cell(right, columns_); ++cx)
                cells_[cy * columns_ + cx].push_back(box);
        return true;
    }

private:
    struct Box {
        int left, top, right, bottom;
    };
    static constexpr int CELL = 64;
    // The cell of a coordinate, counted from the one before the image's first.
    static int cell(int v, int count) { return std::clamp(v < 0 ? 0 : v / CELL + 1, 0, count - 1); }
    int columns_, rows_;
    std::vector<std::vector<Box>> cells_;
};

constexpr int LINE_SPACING = FONT_CELL_HEIGHT + 1;
constexpr int LABEL_HEIGHT = LINE_SPACING + FONT_CELL_HEIGHT;  // two lines, descenders and all
constexpr int LABEL_MARGIN = 2;                                // of the backing round the text
// Opaque, so that no line runs through the text: the background at a quarter of its
// brightness, darker than anything drawn on it.
const Rgb LABEL_BACKING = {static_cast<uint8_t>(VIEW_BACKGROUND.r / 4),
                           static_cast<uint8_t>(VIEW_BACKGROUND.g / 4),
                           static_cast<uint8_t>(VIEW_BACKGROUND.b / 4)};

// Where a label of this width goes: beside the pivot, or, for a pivot on the image whose
// label would run off it, moved back inside (above the pivot at the bottom edge). False
// when no part of it would be seen.
bool placeLabel(const Framebuffer& image, Point2 pivot, int width, int& left, int& top) {
    const int x = static_cast<int>(std::lround(pivot.x)),
              y = static_cast<int>(std::lround(pivot.y));
    left = x + LABEL_OFFSET_X;
    top = y + LABEL_OFFSET_Y;
    if (image.contains(x, y)) {
        const int room = image.width() - LABEL_MARGIN - width;
        if (left > room) left = std::max(room, LABEL_MARGIN);
        if (top + LABEL_HEIGHT + LABEL_MARGIN > image.height())
            top = std::max(y - LABEL_OFFSET_Y - LABEL_HEIGHT, LABEL_MARGIN);
    }
    return left < image.width() && top < image.height() && left + width >= 0 &&
           top + LABEL_HEIGHT >= 0;
}

void drawLabels(Framebuffer& image, std::vector<Shown> at, LabelMode mode) {
    // Selected nodes first, so their labels win any overlap.
    auto selected = [](const Shown& p) { return p.placed && p.entity->node->selected(); };
    std::stable_partition(at.begin(), at.end(), selected);
    LabelSpace space(image.width(), image.height());
    for (const Shown& p : at) {
        if (mode == LabelMode::Selected && !selected(p)) break;
        if (!p.placed) continue;
        const Node& node = *p.entity->node;
        const int width = std::max(textWidth(node.name().c_str()), textWidth(p.entity->classname));
        int left, top;
        if (!placeLabel(image, p.at, width, left, top)) continue;
        // The backing is the label's room: no other label's text or backing comes into it.
        const int boxLeft = left - LABEL_MARGIN, boxTop = top - LABEL_MARGIN,
                  boxRight = left + width + LABEL_MARGIN,
                  boxBottom = top + LABEL_HEIGHT + LABEL_MARGIN;
        if (!space.take(boxLeft, boxTop, boxRight, boxBottom)) continue;
        image.fill(boxLeft, boxTop, boxRight, boxBottom, LABEL_BACKING);
        const Rgb colour = tripodColour(node);
        drawBitmapText(image, left, top, node.name().c_str(), colour);
        drawBitmapText(image, left, top + LINE_SPACING, p.entity->classname, colour);
    }
}

void drawArrow(Framebuffer& image, Point2 from, Point2 to, Rgb colour) {
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 1.0f)) return;
    const float ux = dx / length, uy = dy / length;
    // The head stops short of the target's pivot ring.
    const float tipX = to.x - ux * 6.0f, tipY = to.y - uy * 6.0f;
    image.drawLine(from.x, from.y, 0, tipX, tipY, 0, colour, false);
    for (float side : {1.0f, -1.0f})
        image.drawLine(tipX, tipY, 0, tipX - ux * 7.0f + side * uy * 4.0f,
                       tipY - uy * 7.0f - side * ux * 4.0f, 0, colour, false);
}

void drawDanglingStub(Framebuffer& image, Point2 from) {
    const float d = DANGLING_STUB_LENGTH * 0.7071f;
    const float endX = from.x + d, endY = from.y - d;
    image.drawLine(from.x, from.y, 0, endX, endY, 0, DANGLING_COLOUR, false);
    image.drawLine(endX - 3, endY - 3, 0, endX + 3, endY + 3, 0, DANGLING_COLOUR, false);
    image.drawLine(endX - 3, endY + 3, 0, endX + 3, endY - 3, 0, DANGLING_COLOUR, false);
}

// Arrows between entities that are both on the image; stubs from those that fire a name
// nothing carries. Links resolved from other entities than these point nowhere and are passed
// over.
void drawLinks(Framebuffer& image, const std::vector<Shown>& at, const EntityLinks& links) {
    for (const EntityLinks::Arrow& arrow : links.arrows) {
        if (arrow.from >= at.size() || arrow.to >= at.size()) continue;
        const Shown &from = at[arrow.from], &to = at[arrow.to];
        if (!from.placed || !to.placed) continue;
        const bool lit = from.entity->node->selected() || to.entity->node->selected();
        drawArrow(image, from.at, to.at, lit ? SELECTED_LINK_COLOUR : LINK_COLOUR);
    }
    for (size_t from : links.dangling)
        if (from < at.size() && at[from].placed) drawDanglingStub(image, at[from].at);
}

}  // namespace

void drawEntityOverlay(SoftwareViewport& view, const std::vector<OverlayEntity>& entities,
                       const EntityLinks& links, const OverlayOptions& options) {
    if (options.pointPath) drawPointPath(view, *options.pointPath, options.pointPathCurrent);
    if (options.positionMark) drawPositionMark(view, *options.positionMark);
    if (options.labels == LabelMode::None && !options.links) return;
    // One entry per entity, in their order, as the links point into it.
    std::vector<Shown> at;
    at.reserve(entities.size());
    for (const OverlayEntity& m : entities) {
        Point2 window;
        // Hidden, behind the eye, or at no finite place: no arrow or label starts or ends
        // there.
        const bool placed = m.node && !m.node->hidden() && !m.node->isOpaque() &&
                            view.mousePosition(m.node->position(), window) &&
                            std::isfinite(window.x) && std::isfinite(window.y);
        at.push_back({&m, placed, window});
    }
    if (options.links) drawLinks(view.image(), at, links);
    if (options.labels != LabelMode::None) drawLabels(view.image(), std::move(at), options.labels);
}
