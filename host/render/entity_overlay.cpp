#include "render/entity_overlay.h"
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include "render/bitmap_font.h"
#include "render/scene_render.h"
#include "scene/scene.h"

namespace {

const Rgb TRIPOD_SELECTED = {255, 255, 255};
const Rgb TRIPOD_UNSELECTED = {102, 102, 102};

// The colour the tripod of a node is drawn in.
Rgb tripodColour(const Node& node) {
    if (node.selected) return TRIPOD_SELECTED;
    if (node.frozen) return rgbFromFloats(FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
    return TRIPOD_UNSELECTED;
}

struct Placed {
    const EntityMark* mark;
    Point2 pivot;
};

// Labels already placed, in a grid of cells the size of a label line, so that testing a
// new label against its neighbours stays cheap with thousands of nodes.
class LabelSpace {
public:
    explicit LabelSpace(int width) : columns_(width / CELL + 2) {}
    bool take(int left, int top, int right, int bottom) {
        for (const Box& b : near(left, top, right, bottom))
            if (left < b.right && b.left < right && top < b.bottom && b.top < bottom) return false;
        const Box box{left, top, right, bottom};
        for (int cy = cell(top); cy <= cell(bottom); ++cy)
            for (int cx = cell(left); cx <= cell(right); ++cx) cells_[key(cx, cy)].push_back(box);
        return true;
    }

private:
    struct Box {
        int left, top, right, bottom;
    };
    static constexpr int CELL = 64;
    static int cell(int v) { return v >= 0 ? v / CELL : -1 - (-v - 1) / CELL; }
    long long key(int cx, int cy) const { return static_cast<long long>(cy) * columns_ + cx; }
    std::vector<Box> near(int left, int top, int right, int bottom) const {
        std::vector<Box> found;
        for (int cy = cell(top); cy <= cell(bottom); ++cy)
            for (int cx = cell(left); cx <= cell(right); ++cx) {
                auto it = cells_.find(key(cx, cy));
                if (it != cells_.end())
                    found.insert(found.end(), it->second.begin(), it->second.end());
            }
        return found;
    }
    long long columns_;
    std::unordered_map<long long, std::vector<Box>> cells_;
};

void drawLabels(Framebuffer& image, std::vector<Placed> placed, LabelMode mode) {
    // Selected nodes first, so their labels win any overlap.
    std::stable_partition(placed.begin(), placed.end(),
                          [](const Placed& p) { return p.mark->node->selected; });
    LabelSpace space(image.width());
    for (const Placed& p : placed) {
        const Node& node = *p.mark->node;
        if (mode == LabelMode::Selected && !node.selected) break;
        const int left = static_cast<int>(std::lround(p.pivot.x)) + LABEL_OFFSET_X;
        const int top = static_cast<int>(std::lround(p.pivot.y)) + LABEL_OFFSET_Y;
        const int width =
            std::max(textWidth(node.name.c_str()), textWidth(p.mark->classname.c_str()));
        if (left >= image.width() || top >= image.height() || left + width < 0 ||
            top + 2 * FONT_HEIGHT + 2 < 0)
            continue;
        if (!space.take(left, top, left + width + 2, top + 2 * FONT_HEIGHT + 3)) continue;
        const Rgb colour = tripodColour(node);
        drawBitmapText(image, left, top, node.name.c_str(), colour);
        drawBitmapText(image, left, top + FONT_HEIGHT + 2, p.mark->classname.c_str(), colour);
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

void drawLinks(Framebuffer& image, const std::vector<const EntityMark*>& marks,
               const std::unordered_map<const EntityMark*, Point2>& at) {
    std::unordered_map<std::string, std::vector<const EntityMark*>> byTargetName;
    for (const EntityMark* m : marks)
        if (!m->targetName.empty()) byTargetName[m->targetName].push_back(m);
    for (const EntityMark* m : marks) {
        auto from = at.find(m);
        for (const std::string& target : m->targets) {
            auto found = byTargetName.find(target);
            if (found == byTargetName.end()) {
                if (from != at.end()) drawDanglingStub(image, from->second);
                continue;
            }
            for (const EntityMark* to : found->second) {
                auto end = at.find(to);
                if (from == at.end() || end == at.end() || to == m) continue;
                const bool lit = m->node->selected || to->node->selected;
                drawArrow(image, from->second, end->second,
                          lit ? SELECTED_LINK_COLOUR : LINK_COLOUR);
            }
        }
    }
}

}  // namespace

void drawEntityOverlay(SoftwareViewport& view, const std::vector<EntityMark>& marks,
                       const OverlayOptions& options) {
    if (options.labels == LabelMode::None && !options.links) return;
    std::vector<const EntityMark*> shown;
    std::vector<Placed> placed;
    std::unordered_map<const EntityMark*, Point2> at;
    for (const EntityMark& m : marks) {
        if (!m.node || m.node->hidden || m.node->isOpaque()) continue;
        shown.push_back(&m);
        Point2 window;
        if (!view.mousePosition(m.node->position(), window)) continue;  // behind the eye
        if (!std::isfinite(window.x) || !std::isfinite(window.y)) continue;
        at.emplace(&m, window);
        placed.push_back({&m, window});
    }
    if (options.links) drawLinks(view.image(), shown, at);
    if (options.labels != LabelMode::None)
        drawLabels(view.image(), std::move(placed), options.labels);
}
