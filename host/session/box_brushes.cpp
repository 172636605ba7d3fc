#include "session/box_brushes.h"
#include <memory>
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

using KeptBytes = std::shared_ptr<const std::vector<unsigned char>>;

// What a node keeps, decoded; null when it keeps nothing.
bool decodeKept(const KeptBytes& bytes, const Node& node, std::unique_ptr<KeptEntity>& kept,
                std::string& error) {
    if (!bytes) return true;
    kept = std::make_unique<KeptEntity>();
    if (decodeKeptEntity(bytes->data(), bytes->size(), *kept, error)) return true;
    error = "node '" + printableName(node.name) + "': " + error;
    return false;
}

KeptBytes encoded(const std::shared_ptr<const KeptEntity>& kept) {
    if (!kept) return nullptr;
    return std::make_shared<const std::vector<unsigned char>>(encodeKeptEntity(*kept));
}

// New boxes take the form of the first brush the scene keeps, so the forms never mix.
BoxForm sceneBoxForm(Scene& scene) {
    for (const auto& node : scene.nodes()) {
        std::unique_ptr<KeptEntity> kept;
        std::string ignored;
        if (!decodeKept(node->kept, *node, kept, ignored) || !kept) continue;
        for (const std::string& brush : kept->brushes)
            if (brushForm(brush) != BrushForm::None) return boxFormBeside(brush);
    }
    return BoxForm::Plain;
}

MapVector mapVector(const Point3& p) { return {p.x, p.y, p.z}; }

}  // namespace

std::string boxCornersProblem(const BoxCorners& box) {
    return boxProblem(mapVector(box.low), mapVector(box.high));
}

bool addBoxes(HostSession& session, const std::vector<std::pair<Node*, BoxCorners>>& boxes,
              const std::string& texture, const std::string& name, std::string& error) {
    const BoxForm form = sceneBoxForm(session.scene());
    std::vector<SceneHistory::KeptChange> changes;
    for (const auto& [node, box] : boxes) {
        const std::string problem = boxCornersProblem(box);
        if (!problem.empty()) {
            error = problem;
            return false;
        }
        // A node given two boxes in one step builds on the first.
        KeptBytes current = node->kept;
        for (const SceneHistory::KeptChange& change : changes)
            if (change.node == node) current = change.kept;
        std::unique_ptr<KeptEntity> kept;
        if (!decodeKept(current, *node, kept, error)) return false;
        const bool world = isWorldClassname(helperClassname(*node));
        changes.push_back(
            {node, encoded(withBox(kept.get(), world, node->position(), form, mapVector(box.low),
                                   mapVector(box.high), texture))});
    }
    session.setKept(name, std::move(changes));
    return true;
}

bool clearBrushes(HostSession& session, const std::vector<Node*>& nodes, std::string& error) {
    std::vector<SceneHistory::KeptChange> changes;
    for (Node* node : nodes) {
        std::unique_ptr<KeptEntity> kept;
        if (!decodeKept(node->kept, *node, kept, error)) return false;
        if (kept) changes.push_back({node, encoded(withoutBrushes(*kept))});
    }
    session.setKept("Clear Brushes", std::move(changes));
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
