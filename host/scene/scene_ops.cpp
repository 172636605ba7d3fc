#include "scene/scene_ops.h"
#include <cmath>
#include <utility>
#include "printable_name.h"

namespace {

// The host's remap directory for one clone: our objects hold no references to remap.
class CloneRemap : public RemapDir {
public:
    ReferenceTarget* findMapping(ReferenceTarget* from) override {
        for (const auto& entry : entries_)
            if (entry.first == from) return entry.second;
        return nullptr;
    }
    void addEntry(ReferenceTarget* from, ReferenceTarget* to) override {
        entries_.emplace_back(from, to);
    }

private:
    std::vector<std::pair<ReferenceTarget*, ReferenceTarget*>> entries_;
};

// "Marker001" -> "Marker": the base that uniqueName numbers.
std::string nameBase(const std::string& name) {
    size_t end = name.size();
    while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
    return name.substr(0, end);
}

}  // namespace

Node* cloneNode(Scene& scene, Node& source, std::string& error) {
    Object* copy = nullptr;
    if (!source.isOpaque()) {
        CloneRemap remap;
        ReferenceTarget* cloned = source.object()->Clone(remap);
        copy = cloned ? dynamic_cast<Object*>(cloned) : nullptr;
        if (!copy) {
            if (cloned) cloned->DeleteThis();
            error = "'" + printableName(source.name()) + "': the object could not be cloned";
            return nullptr;
        }
    }
    Node* node = scene.add(copy, source.classId(), source.superClassId(),
                           scene.uniqueName(nameBase(source.name())));
    scene.setTransform(*node, source.transform());
    scene.setOpaqueData(*node, source.opaqueData());
    scene.setKept(*node, source.kept());
    return node;
}

std::string moveProblem(const std::vector<Node*>& nodes, const Point3& delta) {
    for (const Node* node : nodes) {
        const std::string name = "node '" + printableName(node->name()) + "'";
        if (node->frozen()) return name + " is frozen: unfreeze it to move it";
        for (int axis = 0; axis < 3; ++axis) {
            const double to = double(node->position()[axis]) + delta[axis];
            if (!std::isfinite(static_cast<float>(to)))
                return "the move would put " + name + " beyond a float's range on " + "xyz"[axis];
        }
    }
    return "";
}
