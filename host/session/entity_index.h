// The entity of every node of the scene, decoded from its helper's chunks once and kept:
// a node is read again only after it changed, never per redraw, so drawing labels and
// links and listing the entities stay cheap in big scenes.
#pragma once
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include "session/entity_marks.h"

class Animatable;
class Node;
class Scene;

class EntityIndex {
public:
    // Hears the scene's nodes come and go, and whole scenes replaced.
    explicit EntityIndex(Scene& scene);
    ~EntityIndex();
    EntityIndex(const EntityIndex&) = delete;
    EntityIndex& operator=(const EntityIndex&) = delete;

    // Every node's mark, in no particular order; nodes that changed are read first.
    const std::vector<EntityMark>& marks();
    // Which mark fires which, positions in marks(); resolved again only after a target
    // name or a target changed, or marks came or went.
    const EntityLinks& links();
    // One node's mark, read first if it changed; null for a node not in the scene.
    const EntityMark* mark(const Node& node);

    // A node's entity may differ now: its object announced a change, it was renamed, or
    // an undo step put old chunks back. It is read again when next asked for.
    void nodeChanged(const Node& node);
    // Any node may differ, or the scene holds other nodes: every node is read again.
    void sceneChanged();
    // The pages of an object went up, or went. A helper stores typed text on a commit, or
    // when its edit ends, without announcing it: the edited node is read again on every
    // use, and once more when its edit has ended.
    void editBegan(const Animatable* object);
    void editEnded(const Animatable* object);
    const Node* editedNode() const { return edited_; }

    enum class Change { Node, Removed, All };
    // Told of every change as it happens (node is null for All); a removed node is
    // still there when this is called, and gone right after.
    std::function<void(Change, const Node*)> onChange;

private:
    void added(const Node& node);
    void removing(const Node& node);
    void refresh();
    void tell(Change change, const Node* node);
    const Node* nodeOf(const Animatable* object) const;

    Scene& scene_;
    std::vector<EntityMark> marks_;
    std::unordered_map<const Node*, size_t> slots_;  // where a node's mark is in marks_
    std::unordered_set<const Node*> stale_;          // read again before the next use
    bool allStale_ = true;
    EntityLinks links_;
    bool linksStale_ = true;
    const Node* edited_ = nullptr;
};
