#include "session/entity_index.h"
#include "session/entity_reading.h"
#include "scene/scene.h"

EntityIndex::EntityIndex(Scene& scene) : scene_(scene) {
    scene_.onNodeAdded = [this](Node& node) { added(node); };
    scene_.onNodeRemoving = [this](const Node& node) { removing(node); };
    scene_.onNodesReplaced = [this] { sceneChanged(); };
}

EntityIndex::~EntityIndex() {
    scene_.onNodeAdded = nullptr;
    scene_.onNodeRemoving = nullptr;
    scene_.onNodesReplaced = nullptr;
}

const std::vector<EntityMark>& EntityIndex::marks() {
    refresh();
    return marks_;
}

const EntityLinks& EntityIndex::links() {
    refresh();
    if (linksStale_) links_ = resolveLinks(marks_);
    linksStale_ = false;
    return links_;
}

const EntityMark* EntityIndex::mark(const Node& node) {
    refresh();
    auto slot = slots_.find(&node);
    return slot == slots_.end() ? nullptr : &marks_[slot->second];
}

void EntityIndex::nodeChanged(const Node& node) {
    if (!allStale_ && !slots_.count(&node)) return;
    stale_.insert(&node);
    tell(Change::Node, &node);
}

void EntityIndex::sceneChanged() {
    allStale_ = linksStale_ = true;
    edited_ = nullptr;
    marks_.clear();
    slots_.clear();
    stale_.clear();
    tell(Change::All, nullptr);
}

void EntityIndex::editBegan(const Animatable* object) { edited_ = nodeOf(object); }

void EntityIndex::editEnded(const Animatable* object) {
    const Node* node = nodeOf(object);
    if (node) nodeChanged(*node);
    if (node == edited_) edited_ = nullptr;
}

const Node* EntityIndex::nodeOf(const Animatable* object) const {
    if (!object) return nullptr;
    for (const auto& node : scene_.nodes())
        if (node->object() == object) return node.get();
    return nullptr;
}

void EntityIndex::added(const Node& node) {
    if (!allStale_) {
        slots_[&node] = marks_.size();
        marks_.push_back(EntityMark{&node, {}, {}, {}, {}});
        stale_.insert(&node);
        linksStale_ = true;
    }
    tell(Change::Node, &node);
}

// The last mark takes the place of the one that goes, so a removal costs the same in
// any scene.
void EntityIndex::removing(const Node& node) {
    tell(Change::Removed, &node);
    if (edited_ == &node) edited_ = nullptr;
    auto slot = slots_.find(&node);
    if (slot == slots_.end()) return;
    const size_t at = slot->second;
    slots_.erase(slot);
    linksStale_ = true;
    stale_.erase(&node);
    if (at + 1 != marks_.size()) {
        marks_[at] = std::move(marks_.back());
        slots_[marks_[at].node] = at;
    }
    marks_.pop_back();
}

void EntityIndex::refresh() {
    if (allStale_) {
        marks_.clear();
        marks_.reserve(scene_.size());
        for (const auto& node : scene_.nodes()) {
            slots_[node.get()] = marks_.size();
            marks_.push_back(readEntityMark(*node));
        }
        allStale_ = false;
    } else {
        if (edited_) stale_.insert(edited_);
        for (const Node* node : stale_) {
            EntityMark& mark = marks_[slots_.at(node)];
            EntityMark read = readEntityMark(*node);
            if (!sameLinkNames(mark, read)) linksStale_ = true;
            mark = std::move(read);
        }
    }
    stale_.clear();
}

void EntityIndex::tell(Change change, const Node* node) {
    if (onChange) onChange(change, node);
}
