#include "scene/scene.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>
#include "scene/storable_node.h"

void NodeObjectDeleter::operator()(Object* object) const {
    object->removeDependent(dependent);
    object->DeleteThis();
}

Node::Node(Scene* scene, Object* object, Class_ID cid, SClass_ID scid)
    : classId_(cid), superClassId_(scid), scene_(scene), object_(object, NodeObjectDeleter{this}) {
    if (object_) object_->addDependent(this);
}

Matrix3 Node::objectTransformAt(TimeValue, Interval* valid) {
    if (valid) *valid = FOREVER();
    return transform_;
}

RefResult Node::notifyRefChanged(const Interval&, ReferenceTarget*, PartID&, RefMessage) {
    ++changeCount_;
    if (scene_ && scene_->onNodeChanged) scene_->onNodeChanged(*this);
    return REF_SUCCEED;
}

Node* Scene::add(Object* object, Class_ID classId, SClass_ID superClassId,
                 const std::string& name) {
    nodes_.push_back(std::make_unique<Node>(this, object, classId, superClassId));
    Node* node = nodes_.back().get();
    node->name_ = name;
    if (onNodeAdded) onNodeAdded(*node);
    return node;
}

void Scene::remove(Node* node) {
    auto it = std::find_if(nodes_.begin(), nodes_.end(),
                           [&](const std::unique_ptr<Node>& n) { return n.get() == node; });
    if (it == nodes_.end()) return;
    if (onNodeRemoving) onNodeRemoving(*node);
    nodes_.erase(it);
}

size_t Scene::indexOf(const Node* node) const {
    for (size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].get() == node) return i;
    return nodes_.size();
}

std::vector<Scene::Detached> Scene::detach(const std::vector<Node*>& nodes) {
    const std::unordered_set<const Node*> leaving(nodes.begin(), nodes.end());
    // Heard while the scene is still whole.
    if (onNodeRemoving)
        for (const auto& node : nodes_)
            if (leaving.count(node.get())) onNodeRemoving(*node);
    std::vector<Detached> out;
    std::vector<std::unique_ptr<Node>> staying;
    staying.reserve(nodes_.size());
    for (size_t i = 0; i < nodes_.size(); ++i) {
        if (!leaving.count(nodes_[i].get())) {
            staying.push_back(std::move(nodes_[i]));
            continue;
        }
        nodes_[i]->scene_ = nullptr;  // a node out of the scene announces to no one
        out.push_back({i, std::move(nodes_[i])});
    }
    nodes_ = std::move(staying);
    return out;
}

void Scene::attach(std::vector<Detached> nodes) {
    std::vector<std::unique_ptr<Node>> merged;
    merged.reserve(nodes_.size() + nodes.size());
    size_t stayed = 0;
    for (Detached& back : nodes) {
        while (merged.size() < back.index && stayed < nodes_.size())
            merged.push_back(std::move(nodes_[stayed++]));
        back.node->scene_ = this;
        merged.push_back(std::move(back.node));
    }
    while (stayed < nodes_.size()) merged.push_back(std::move(nodes_[stayed++]));
    nodes_ = std::move(merged);
    if (onNodeAdded)
        for (const Detached& back : nodes) onNodeAdded(*nodes_[back.index]);
}

void Scene::clear() {
    nodes_.clear();
    if (onNodesReplaced) onNodesReplaced();
}

Node* Scene::find(const std::string& name) const {
    for (const auto& n : nodes_)
        if (n->name() == name) return n.get();
    return nullptr;
}

static std::string numbered(const std::string& base, int i) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%03d", i);
    return base + suffix;
}

// A base cut so that it and any number still fit a stored name, never inside a UTF-8
// character: a clone of a node with a long name must be saveable.
static std::string fittingBase(const std::string& base) {
    constexpr size_t numberRoom = 10;  // the digits of any int
    if (base.size() + numberRoom <= NODE_NAME_MAX_BYTES) return base;
    size_t size = NODE_NAME_MAX_BYTES - numberRoom;
    while (size > 0 && (static_cast<unsigned char>(base[size]) & 0xC0) == 0x80) --size;
    return base.substr(0, size);
}

std::string Scene::uniqueName(const std::string& wanted) const {
    const std::string base = fittingBase(wanted);
    // One pass collects the numbers in use, so naming stays linear in the scene's size.
    std::vector<bool> used(nodes_.size() + 2, false);
    for (const auto& n : nodes_) {
        const std::string& name = n->name();
        if (name.size() <= base.size() || name.compare(0, base.size(), base) != 0) continue;
        int i = std::atoi(name.c_str() + base.size());
        if (i > 0 && static_cast<size_t>(i) < used.size() && name == numbered(base, i))
            used[i] = true;
    }
    int i = 1;
    while (used[i]) ++i;
    return numbered(base, i);
}

void Scene::setFlag(Node& node, NodeFlag flag, bool value) {
    (flag == NodeFlag::Frozen ? node.frozen_ : node.hidden_) = value;
}

std::vector<Node*> Scene::selection() const {
    std::vector<Node*> result;
    for (const auto& n : nodes_)
        if (n->selected()) result.push_back(n.get());
    return result;
}

void Scene::setSelection(const std::vector<Node*>& nodes) {
    for (const auto& n : nodes_) n->selected_ = false;
    for (Node* n : nodes) n->selected_ = true;
}

void Scene::swapNodes(Scene& other) {
    nodes_.swap(other.nodes_);
    for (auto& n : nodes_) n->scene_ = this;
    for (auto& n : other.nodes_) n->scene_ = &other;
    if (onNodesReplaced) onNodesReplaced();
    if (other.onNodesReplaced) other.onNodesReplaced();
}
