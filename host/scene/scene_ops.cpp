#include "scene/scene_ops.h"
#include <cstdio>
#include <utility>

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
            error = "'" + source.name + "': the object could not be cloned";
            return nullptr;
        }
    }
    Node* node = scene.add(copy, source.classId, source.superClassId,
                           scene.uniqueName(nameBase(source.name)));
    node->transform = source.transform;
    node->opaqueData = source.opaqueData;
    return node;
}

void deleteNode(Scene& scene, Node* node) { scene.remove(node); }

std::vector<NodeListing> listNodes(const Scene& scene, const PluginRegistry& registry) {
    std::vector<NodeListing> list;
    list.reserve(scene.size());
    for (const auto& node : scene.nodes()) {
        NodeListing entry;
        entry.name = node->name;
        entry.classId = node->classId;
        entry.superClassId = node->superClassId;
        entry.position = node->position();
        entry.selected = node->selected;
        entry.frozen = node->frozen;
        entry.hidden = node->hidden;
        entry.opaque = node->isOpaque();
        if (!entry.opaque) {
            CStr className;
            node->object()->getClassName(className);
            entry.className = className.data() ? className.data() : "";
        }
        if (const PluginKind* kind = registry.findByClassId(node->classId, node->superClassId))
            entry.kindName = kind->className;
        list.push_back(std::move(entry));
    }
    return list;
}

std::string formatNodeList(const std::vector<NodeListing>& nodes) {
    std::string text;
    char line[320];
    std::snprintf(line, sizeof line, "%-20s %-20s %-12s %-23s %-26s %s\n", "node", "class", "kind",
                  "class id", "position", "state");
    text += line;
    for (const NodeListing& n : nodes) {
        std::string state = std::string(n.selected ? "selected " : "") +
                            (n.frozen ? "frozen " : "") + (n.hidden ? "hidden " : "") +
                            (n.opaque ? "stored-bytes " : "");
        if (!state.empty()) state.pop_back();
        char classId[32], position[64];
        std::snprintf(classId, sizeof classId, "0x%08X,0x%08X", n.classId.PartA(),
                      n.classId.PartB());
        std::snprintf(position, sizeof position, "(%g, %g, %g)", n.position.x, n.position.y,
                      n.position.z);
        std::snprintf(line, sizeof line, "%-20s %-20s %-12s %-23s %-26s %s\n", n.name.c_str(),
                      n.opaque ? "(unknown)" : n.className.c_str(),
                      n.kindName.empty() ? "-" : n.kindName.c_str(), classId, position,
                      state.c_str());
        text += line;
    }
    return text;
}
