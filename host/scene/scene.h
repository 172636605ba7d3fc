// The reference host's scene: nodes that hold plug-in objects (or, for a class no
// plug-in provides, the object's stored bytes), with transform and state.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "vexsdk/objects.h"
#include "vexsdk/viewport.h"

constexpr SClass_ID NODE_SUPERCLASS_ID = 1;

class Scene;

// Ends a node's object as its plug-in asks (DeleteThis), once the node no longer listens to it.
struct NodeObjectDeleter {
    ReferenceMaker* dependent = nullptr;
    void operator()(Object* object) const;
};

enum class NodeFlag { Frozen, Hidden };

class Node : public ReferenceMaker, public SceneNode {
public:
    Node(Scene* scene, Object* object, Class_ID classId, SClass_ID superClassId);
    ~Node() override = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // SceneNode
    Matrix3 objectTransformAt(TimeValue t, Interval* valid = nullptr) override;
    int isSelectedNode() override { return selected_ ? 1 : 0; }
    int isFrozenNode() override { return frozen_ ? 1 : 0; }

    // ReferenceMaker: the node depends on its object and hears its change announcements.
    SClass_ID SuperClassID() override { return NODE_SUPERCLASS_ID; }
    RefResult notifyRefChanged(const Interval& changeInt, ReferenceTarget* target, PartID& partId,
                               RefMessage message) override;

    Object* object() const { return object_.get(); }
    bool isOpaque() const { return object_ == nullptr; }  // class not provided by any plug-in
    Point3 position() const { return transform_.GetTrans(); }

    // What the node is; the scene's own operations change it (Scene, SceneHistory), so that
    // every change is seen by the scene and recorded where it must be.
    const std::string& name() const { return name_; }
    const Matrix3& transform() const { return transform_; }
    bool selected() const { return selected_; }
    bool frozen() const { return frozen_; }
    bool hidden() const { return hidden_; }
    bool has(NodeFlag flag) const { return flag == NodeFlag::Frozen ? frozen_ : hidden_; }
    Class_ID classId() const { return classId_; }
    SClass_ID superClassId() const { return superClassId_; }
    const std::vector<unsigned char>& opaqueData() const { return opaqueData_; }
    const std::shared_ptr<const std::vector<unsigned char>>& kept() const { return kept_; }
    int changeCount() const { return changeCount_; }

private:
    friend class Scene;
    std::string name_;
    Matrix3 transform_{true};
    bool selected_ = false;
    bool frozen_ = false;
    bool hidden_ = false;
    Class_ID classId_;
    SClass_ID superClassId_ = 0;
    std::vector<unsigned char> opaqueData_;  // object chunks kept verbatim for opaque nodes
    // What the node keeps of the map entity it came from beyond its object (brushes, pairs
    // without room in the record), as the map library encodes it; null for none. Never
    // changed in place, so clones and history steps share it.
    std::shared_ptr<const std::vector<unsigned char>> kept_;
    int changeCount_ = 0;  // change announcements heard from the object
    Scene* scene_;
    std::unique_ptr<Object, NodeObjectDeleter> object_;
};

class Scene {
public:
    Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Takes ownership of object (may be null for an opaque node).
    Node* add(Object* object, Class_ID classId, SClass_ID superClassId, const std::string& name);
    void remove(Node* node);
    // Nodes out of the scene but not ended, each with its index in the scene it left.
    struct Detached {
        size_t index;
        std::unique_ptr<Node> node;
    };
    // Takes the nodes out of the scene, in scene order; puts such nodes back at their
    // indices. One pass over the scene each, however many nodes: an import adds thousands.
    std::vector<Detached> detach(const std::vector<Node*>& nodes);
    void attach(std::vector<Detached> nodes);
    size_t indexOf(const Node* node) const;  // size() when the node is not in the scene
    void clear();
    Node* find(const std::string& name) const;
    // base followed by the lowest free number: "Marker001", "Marker002", ...
    std::string uniqueName(const std::string& base) const;
    // The one way to change a node's fields; history steps, loads and clones go through it.
    void rename(Node& node, const std::string& name) { node.name_ = name; }
    void setTransform(Node& node, const Matrix3& transform) { node.transform_ = transform; }
    void setPosition(Node& node, const Point3& at) { node.transform_.SetTrans(at); }
    void setFlag(Node& node, NodeFlag flag, bool value);
    void setOpaqueData(Node& node, std::vector<unsigned char> data) {
        node.opaqueData_ = std::move(data);
    }
    void setKept(Node& node, std::shared_ptr<const std::vector<unsigned char>> kept) {
        node.kept_ = std::move(kept);
    }
    std::vector<Node*> selection() const;
    // Makes these nodes, and only they, the selected ones: the one place the flags are
    // written, a load's too. Whoever calls it announces the change (the session's select).
    void setSelection(const std::vector<Node*>& nodes);
    // Exchanges the nodes of two scenes; each keeps its own onNodeChanged. A load fills a
    // fresh scene and swaps it in only once the whole file has been read.
    void swapNodes(Scene& other);

    const std::vector<std::unique_ptr<Node>>& nodes() const { return nodes_; }
    size_t size() const { return nodes_.size(); }

    // Called whenever a node's object announces a change (the host redraws).
    std::function<void(Node&)> onNodeChanged;
    // What keeps a view of the nodes (the entity index) hears of every node that comes,
    // every node about to go, and of the whole set of nodes being replaced (clear, swap).
    std::function<void(Node&)> onNodeAdded;
    std::function<void(const Node&)> onNodeRemoving;
    std::function<void()> onNodesReplaced;

private:
    friend class Node;
    std::vector<std::unique_ptr<Node>> nodes_;
};
