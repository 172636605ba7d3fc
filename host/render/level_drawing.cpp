#include "render/level_drawing.h"
#include <unordered_map>
#include "scene/scene.h"

namespace {

constexpr int OUTLINE_PICK_PIXELS = 4;

// Keyed by the kept bytes, which never change in place: new bytes are a new key. The bytes
// are watched, not held, so that an entry of bytes no node keeps any more can go.
struct CacheEntry {
    std::weak_ptr<const std::vector<unsigned char>> source;
    std::shared_ptr<const BrushOutlines> outlines;
};
std::unordered_map<const void*, CacheEntry> outlineCache;
size_t pruneAt = 64;

void pruneCache() {
    for (auto it = outlineCache.begin(); it != outlineCache.end();)
        it = it->second.source.expired() ? outlineCache.erase(it) : std::next(it);
    pruneAt = 2 * outlineCache.size() + 64;
}

Matrix3 placed(const Node& node, const BrushOutlines& outlines) {
    Matrix3 tm(true);
    tm.SetTrans(node.position() - outlines.anchor);
    return tm;
}

// The host's own window only reads the points it is given: the shared ends are not copied.
void drawSegments(SoftwareGraphics& gw, const BrushOutlines& outlines) {
    Point3* ends = const_cast<Point3*>(outlines.ends.data());
    for (size_t i = 0; i + 1 < outlines.ends.size(); i += 2)
        gw.drawPolyline(2, ends + i, nullptr, 0, nullptr, nullptr);
}

}  // namespace

std::shared_ptr<const BrushOutlines> nodeOutlines(const Node& node) {
    if (!node.kept()) return nullptr;
    CacheEntry& entry = outlineCache[node.kept().get()];
    if (entry.source.lock() != node.kept()) {
        auto computed = std::make_shared<BrushOutlines>(computeBrushOutlines(*node.kept()));
        entry = {node.kept(), computed->ends.empty() ? nullptr : std::move(computed)};
        if (outlineCache.size() > pruneAt) pruneCache();
    }
    return entry.outlines;
}

void drawNodeOutlines(SoftwareViewport& view, const Node& node, Rgb colour) {
    const std::shared_ptr<const BrushOutlines> outlines = nodeOutlines(node);
    if (!outlines) return;
    SoftwareGraphics& gw = view.window();
    gw.setDrawTransform(placed(node, *outlines));
    gw.setDrawColor(COLOR_LINE, colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f);
    drawSegments(gw, *outlines);
}

bool outlinesPicked(SoftwareViewport& view, const Node& node, int kind, bool crossing,
                    IPoint2* points) {
    const std::shared_ptr<const BrushOutlines> outlines = nodeOutlines(node);
    if (!outlines || outlines->world) return false;
    SoftwareGraphics& gw = view.window();
    HitRegion region;
    MakeHitRegion(region, kind, crossing ? 1 : 0, OUTLINE_PICK_PIXELS, points);
    const unsigned saved = gw.renderFlags();
    gw.setRenderFlags(saved | GW_PICK);
    gw.setPickRegion(&region);
    gw.clearPickHit();
    gw.setDrawTransform(placed(node, *outlines));
    drawSegments(gw, *outlines);
    gw.setRenderFlags(saved);
    return kind == HITREGION_RECT && !crossing ? gw.pickStayedInside() : gw.pickHit() != 0;
}

void addOutlinesBox(const Node& node, Box3& box) {
    const std::shared_ptr<const BrushOutlines> outlines = nodeOutlines(node);
    if (!outlines) return;
    const Point3 offset = node.position() - outlines->anchor;
    box += outlines->box.pmin + offset;
    box += outlines->box.pmax + offset;
}
