#include "session/box_brushes.h"
#include "scene/step_names.h"
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include "box_brush.h"
#include "brush_text.h"
#include "entity_mapping.h"
#include "helper_chunks.h"
#include "kept_entity.h"
#include "printable_name.h"
#include "session/entity_reading.h"
#include "session/host_session.h"
#include "session/map_commands.h"

namespace {

KeptBytes encoded(const std::shared_ptr<const KeptEntity>& kept) {
    if (!kept) return nullptr;
    return std::make_shared<const std::vector<unsigned char>>(encodeKeptEntity(*kept));
}

// New boxes take the form of the first brush the scene keeps, so the forms never mix.
BoxForm sceneBoxForm(Scene& scene) {
    for (const auto& node : scene.nodes()) {
        std::shared_ptr<const KeptEntity> kept;
        std::string ignored;
        if (!decodeKept(node->kept(), *node, kept, ignored) || !kept) continue;
        for (const std::string& brush : kept->brushes)
            if (brushForm(brush) != BrushForm::None) return boxFormBeside(brush);
    }
    return BoxForm::Plain;
}

MapVector mapVector(const Point3& p) { return {p.x, p.y, p.z}; }

// Every face of every brush the scene keeps counts once; of two as common the first in
// name order wins, so the choice never depends on the order of the nodes.
std::string mostUsedTexture(Scene& scene) {
    std::map<std::string, size_t, std::less<>> uses;
    for (const auto& node : scene.nodes()) {
        std::shared_ptr<const KeptEntity> kept;
        std::string ignored;
        if (!decodeKept(node->kept(), *node, kept, ignored) || !kept) continue;
        for (const std::string& brush : kept->brushes)
            for (std::string_view texture : faceTextures(brush)) {
                const auto known = uses.find(texture);
                if (known != uses.end())
                    ++known->second;
                else
                    uses.emplace(texture, 1);
            }
    }
    std::string most = NO_BRUSHES_BOX_TEXTURE;
    size_t mostUses = 0;
    for (const auto& [texture, count] : uses)
        if (count > mostUses) {
            most = texture;
            mostUses = count;
        }
    return most;
}

bool isTriggerClass(const std::string& classname) { return classname.rfind("trigger_", 0) == 0; }

// The texture of a box for a node of classname: the one named, else the usual one; the
// scene's brushes are counted once for all the boxes of a command, and only if needed.
class BoxTexture {
public:
    BoxTexture(Scene& scene, const std::string& named) : scene_(scene), named_(named) {}
    std::string of(const std::string& classname) {
        if (!named_.empty()) return named_;
        if (isTriggerClass(classname)) return TRIGGER_BOX_TEXTURE;
        if (!sceneMost_) sceneMost_ = mostUsedTexture(scene_);
        return *sceneMost_;
    }

private:
    Scene& scene_;
    const std::string& named_;
    std::optional<std::string> sceneMost_;
};

}  // namespace

std::string boxCornersProblem(const BoxCorners& box) {
    return boxProblem(mapVector(box.low), mapVector(box.high));
}

bool addBoxes(HostSession& session, const std::vector<std::pair<Node*, BoxCorners>>& boxes,
              const std::string& texture, const std::string& name, std::string& error) {
    const BoxForm form = sceneBoxForm(session.scene());
    BoxTexture textures(session.scene(), texture);
    std::vector<SceneHistory::KeptChange> changes;
    for (const auto& [node, box] : boxes) {
        const std::string problem = boxCornersProblem(box);
        if (!problem.empty()) {
            error = problem;
            return false;
        }
        // A node given two boxes in one step builds on the first.
        KeptBytes current = node->kept();
        for (const SceneHistory::KeptChange& change : changes)
            if (change.node == node) current = change.kept;
        std::shared_ptr<const KeptEntity> kept;
        if (!decodeKept(current, *node, kept, error)) return false;
        const std::string classname = helperClassname(*node);
        if (isPointClass(classname)) {
            error = "node '" + printableName(node->name()) + "' is of the class " +
                    printableName(classname) +
                    ", which the game places at its origin and gives no brushes";
            return false;
        }
        const bool world = isWorldClassname(classname);
        changes.push_back(
            {node, encoded(withBox(kept.get(), world, node->position(), form, mapVector(box.low),
                                   mapVector(box.high), textures.of(classname)))});
    }
    session.setKept(name, std::move(changes));
    return true;
}

bool clearBrushes(HostSession& session, const std::vector<Node*>& nodes, std::string& error) {
    std::vector<SceneHistory::KeptChange> changes;
    for (Node* node : nodes) {
        std::shared_ptr<const KeptEntity> kept;
        if (!decodeKept(node->kept(), *node, kept, error)) return false;
        if (kept) changes.push_back({node, encoded(withoutBrushes(*kept))});
    }
    session.setKept(StepName::CLEAR_BRUSHES, std::move(changes));
    return true;
}

Node* worldNode(HostSession& session, std::string& error) {
    for (const auto& node : session.scene().nodes())
        if (isWorldClassname(helperClassname(*node))) return node.get();
    ClassDesc* desc = firstDescriptor(session, error);
    HelperRecord record;
    if (!desc || !freshHelperRecord(*desc, record, error)) return nullptr;
    record.setClassname("worldspawn");
    Object* world = makeHelper(*desc, record, error);
    if (!world) return nullptr;
    Scene& scene = session.scene();
    const std::string name =
        scene.find("worldspawn") ? scene.uniqueName("worldspawn") : "worldspawn";
    Node* node = scene.add(world, world->ClassID(), world->SuperClassID(), name);
    session.added("Create World", {node});
    return node;
}

BoxCorners boxAroundPivot(const Node& node, float gridSpacing) {
    const Point3 p = node.position();
    const float g = gridSpacing > 0 ? gridSpacing : 16;
    return {{p.x - g, p.y - g, p.z}, {p.x + g, p.y + g, p.z + 4 * g}};
}

namespace {

double& along(MapVector& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
float along(const Point3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

// The box a node's kept brush is, in world coordinates where the node stands now.
bool worldBox(const Node& node, const KeptEntity& kept, size_t brush, MapVector& low,
              MapVector& high) {
    if (brush >= kept.brushes.size() || !brushBox(kept.brushes[brush], low, high)) return false;
    const Point3 shift = node.position() - brushTextOrigin(kept);
    for (int axis = 0; axis < 3; ++axis) {
        along(low, axis) += along(shift, axis);
        along(high, axis) += along(shift, axis);
    }
    return true;
}

}  // namespace

std::vector<BoxSide> boxSidesInView(Scene& scene, const Point3& viewAxis) {
    std::vector<BoxSide> sides;
    for (Node* node : scene.selection()) {
        if (node->frozen() || node->hidden()) continue;  // neither may be changed in a view
        std::shared_ptr<const KeptEntity> kept;
        std::string ignored;
        if (!decodeKept(node->kept(), *node, kept, ignored) || !kept) continue;
        for (size_t brush = 0; brush < kept->brushes.size(); ++brush) {
            MapVector low, high;
            if (!worldBox(*node, *kept, brush, low, high)) continue;
            const MapVector middle{(low.x + high.x) / 2, (low.y + high.y) / 2,
                                   (low.z + high.z) / 2};
            for (int axis = 0; axis < 3; ++axis) {
                if (std::fabs(along(viewAxis, axis)) > 0.5f) continue;  // faces the viewer
                for (bool up : {false, true}) {
                    MapVector centre = middle;
                    along(centre, axis) = along(up ? high : low, axis);
                    sides.push_back({node, brush, axis, up,
                                     Point3(float(centre.x), float(centre.y), float(centre.z))});
                }
            }
        }
    }
    return sides;
}

bool moveBoxSide(HostSession& session, const BoxSide& side, float coordinate, std::string& error) {
    std::shared_ptr<const KeptEntity> kept;
    MapVector low, high;
    if (!decodeKept(side.node->kept(), *side.node, kept, error)) return false;
    if (!kept || !worldBox(*side.node, *kept, side.brush, low, high)) {
        error = "node '" + printableName(side.node->name()) + "': brush " +
                std::to_string(side.brush + 1) + " is not a box";
        return false;
    }
    const double now = along(side.high ? high : low, side.axis);
    const double target = side.high ? std::max<double>(coordinate, along(low, side.axis) + 1)
                                    : std::min<double>(coordinate, along(high, side.axis) - 1);
    if (target == now) return true;
    auto next = std::make_shared<KeptEntity>(*kept);
    next->brushes[side.brush] =
        movedFaceText(kept->brushes[side.brush], side.axis, side.high, target - now);
    session.setKept(StepName::RESIZE_BOX, {{side.node, encoded(next)}});
    return true;
}
