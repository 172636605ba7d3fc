#include "scene/scene_history.h"
#include "scene/step_names.h"
#include <algorithm>
#include "scene/chunk_reader.h"
#include "scene/chunk_writer.h"

std::vector<unsigned char> saveObjectChunks(Object& object) {
    MemorySink sink;
    ChunkWriter writer(sink);
    if (object.Save(&writer) != IO_OK || writer.failed()) return {};
    return sink.bytes;
}

bool loadObjectChunks(Object& object, const std::vector<unsigned char>& chunks) {
    MemorySource source(chunks);
    ChunkReader reader(source);
    return object.Load(&reader) == IO_OK && !reader.failed();
}

namespace {

// Nodes that the step puts into the scene on one side and keeps out of it on the other.
class NodesStep : public HistoryStep {
public:
    // Nodes that the step adds are in the scene already, just made: they are taken out here
    // so that applying the step puts them in.
    NodesStep(Scene& scene, std::string name, const std::vector<Node*>& nodes, bool inSceneAfter)
        : HistoryStep(std::move(name)), nodes_(nodes), inSceneAfter_(inSceneAfter) {
        if (inSceneAfter_) takeOut(scene);
    }
    void undo(Scene& scene) override { place(scene, !inSceneAfter_); }
    void redo(Scene& scene) override { place(scene, inSceneAfter_); }
    // The nodes out of the scene are this step's; the object's own memory is not the host's
    // to measure.
    size_t bytes() const override {
        return nodes_.size() * sizeof(Node*) + kept_.size() * sizeof(Scene::Detached) +
               kept_.size() * sizeof(Node);
    }

    // Takes the nodes out of the scene into this step.
    void takeOut(Scene& scene) { kept_ = scene.detach(nodes_); }
    void putBack(Scene& scene) {
        scene.attach(std::move(kept_));
        kept_.clear();
    }

private:
    void place(Scene& scene, bool inScene) {
        if (inScene)
            putBack(scene);
        else
            takeOut(scene);
    }
    std::vector<Node*> nodes_;
    bool inSceneAfter_;
    std::vector<Scene::Detached> kept_;
};

class MoveStep : public HistoryStep {
public:
    MoveStep(const std::vector<Node*>& nodes, const Point3& delta) : HistoryStep(StepName::MOVE) {
        for (Node* node : nodes) {
            Matrix3 after = node->transform();
            after.Translate(delta);
            moves_.push_back({node, node->transform(), after});
        }
    }
    void undo(Scene& scene) override {
        for (Move& m : moves_) scene.setTransform(*m.node, m.before);
    }
    void redo(Scene& scene) override {
        for (Move& m : moves_) scene.setTransform(*m.node, m.after);
    }
    size_t bytes() const override { return moves_.size() * sizeof(Move); }
    bool absorb(HistoryStep& next) override {
        auto* later = dynamic_cast<MoveStep*>(&next);
        if (!later || later->moves_.size() != moves_.size()) return false;
        for (size_t i = 0; i < moves_.size(); ++i)
            if (later->moves_[i].node != moves_[i].node) return false;
        for (size_t i = 0; i < moves_.size(); ++i) moves_[i].after = later->moves_[i].after;
        return true;
    }

private:
    struct Move {
        Node* node;
        Matrix3 before, after;
    };
    std::vector<Move> moves_;
};

class RenameStep : public HistoryStep {
public:
    RenameStep(Node* node, std::string after)
        : HistoryStep(StepName::RENAME),
          node_(node),
          before_(node->name()),
          after_(std::move(after)) {}
    void undo(Scene& scene) override { scene.rename(*node_, before_); }
    void redo(Scene& scene) override { scene.rename(*node_, after_); }
    size_t bytes() const override { return before_.size() + after_.size(); }

private:
    Node* node_;
    std::string before_, after_;
};

// What nodes keep beyond their objects (brushes given or taken away): the bytes are never
// changed in place, so the step holds both versions by reference.
class KeptStep : public HistoryStep {
public:
    KeptStep(std::string name, std::vector<SceneHistory::KeptChange> changes)
        : HistoryStep(std::move(name)), changes_(std::move(changes)) {}
    void undo(Scene& scene) override { swapAll(scene); }
    void redo(Scene& scene) override { swapAll(scene); }
    size_t bytes() const override {
        size_t total = 0;
        for (const SceneHistory::KeptChange& change : changes_)
            total += sizeof change + (change.kept ? change.kept->size() : 0);
        return total;
    }

private:
    // The step holds the version the nodes do not: a swap takes each to the other.
    void swapAll(Scene& scene) {
        for (SceneHistory::KeptChange& change : changes_) {
            std::shared_ptr<const std::vector<unsigned char>> was = change.node->kept();
            scene.setKept(*change.node, std::move(change.kept));
            change.kept = std::move(was);
        }
    }
    std::vector<SceneHistory::KeptChange> changes_;
};

class FlagStep : public HistoryStep {
public:
    // Only the nodes whose flag differs from value: the others the step leaves alone.
    FlagStep(std::string name, NodeFlag flag, std::vector<Node*> nodes, bool value)
        : HistoryStep(std::move(name)), flag_(flag), nodes_(std::move(nodes)), value_(value) {}
    void undo(Scene& scene) override {
        for (Node* node : nodes_) scene.setFlag(*node, flag_, !value_);
    }
    void redo(Scene& scene) override {
        for (Node* node : nodes_) scene.setFlag(*node, flag_, value_);
    }
    size_t bytes() const override { return nodes_.size() * sizeof(Node*); }

private:
    NodeFlag flag_;
    std::vector<Node*> nodes_;
    bool value_;
};

class ObjectEditStep : public HistoryStep {
public:
    ObjectEditStep(std::string name, Node* node, std::vector<unsigned char> before,
                   std::vector<unsigned char> after)
        : HistoryStep(std::move(name)),
          node_(node),
          before_(std::move(before)),
          after_(std::move(after)) {}
    void undo(Scene&) override { loadObjectChunks(*node_->object(), before_); }
    void redo(Scene&) override { loadObjectChunks(*node_->object(), after_); }
    size_t bytes() const override { return before_.size() + after_.size(); }

private:
    Node* node_;
    std::vector<unsigned char> before_, after_;
};

// Steps taken back in reverse and done again in order.
class GroupStep : public HistoryStep {
public:
    GroupStep(std::string name, std::vector<std::unique_ptr<HistoryStep>> steps)
        : HistoryStep(std::move(name)), steps_(std::move(steps)) {}
    void undo(Scene& scene) override {
        for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) (*it)->undo(scene);
    }
    void redo(Scene& scene) override {
        for (auto& step : steps_) step->redo(scene);
    }
    size_t bytes() const override {
        size_t total = 0;
        for (const auto& step : steps_) total += step->bytes();
        return total;
    }

private:
    std::vector<std::unique_ptr<HistoryStep>> steps_;
};

}  // namespace

SceneHistory::SceneHistory(Scene& scene, size_t stepLimit, size_t byteLimit)
    : scene_(scene), limit_(stepLimit), byteLimit_(byteLimit) {}

void SceneHistory::beginGroup(const std::string& name) {
    if (groupStarts_.empty()) {
        if (beforeStep) beforeStep();
        groupName_ = name;
    }
    groupStarts_.push_back(grouped_.size());
}

void SceneHistory::endGroup() {
    if (groupStarts_.empty()) return;
    groupStarts_.pop_back();
    if (!groupStarts_.empty() || grouped_.empty()) return;
    std::vector<std::unique_ptr<HistoryStep>> steps;
    steps.swap(grouped_);
    push(std::make_unique<GroupStep>(groupName_, std::move(steps)));
}

void SceneHistory::cancelGroup() {
    if (groupStarts_.empty()) return;
    const size_t start = groupStarts_.back();
    groupStarts_.pop_back();
    while (grouped_.size() > start) {
        grouped_.back()->undo(scene_);
        grouped_.pop_back();
    }
}

void SceneHistory::push(std::unique_ptr<HistoryStep> step) {
    if (!groupStarts_.empty()) {
        // A step joins the one before it only within the same group, so that a group taken
        // back takes all of its own changes and none of another's.
        const bool mayAbsorb = grouped_.size() > groupStarts_.back();
        if (!mayAbsorb || !grouped_.back()->absorb(*step)) grouped_.push_back(std::move(step));
        return;
    }
    // A new step ends every undone one; a clean state among them is gone for good.
    if (cleanPosition_ > static_cast<long>(position_)) cleanPosition_ = -1;
    for (size_t undone = position_; undone < steps_.size(); ++undone)
        bytes_ -= steps_[undone]->bytes();
    steps_.resize(position_);
    bytes_ += step->bytes();
    steps_.push_back(std::move(step));
    while (steps_.size() > 1 && (steps_.size() > limit_ || bytes_ > byteLimit_)) {
        bytes_ -= steps_.front()->bytes();
        steps_.erase(steps_.begin());
        cleanPosition_ = cleanPosition_ > 0 ? cleanPosition_ - 1 : -1;
    }
    position_ = steps_.size();
}

void SceneHistory::apply(std::unique_ptr<HistoryStep> step) {
    if (groupStarts_.empty() && beforeStep) beforeStep();
    step->redo(scene_);
    push(std::move(step));
}

void SceneHistory::add(const std::string& name, const std::vector<Node*>& nodes) {
    if (!nodes.empty()) apply(std::make_unique<NodesStep>(scene_, name, nodes, true));
}

void SceneHistory::remove(const std::vector<Node*>& nodes) {
    if (!nodes.empty())
        apply(std::make_unique<NodesStep>(scene_, StepName::DELETE_NODES, nodes, false));
}

bool SceneHistory::moveBy(const std::vector<Node*>& nodes, const Point3& delta) {
    if (nodes.empty() || delta == Point3(0, 0, 0)) return false;
    apply(std::make_unique<MoveStep>(nodes, delta));
    return true;
}

bool SceneHistory::rename(Node* node, const std::string& name) {
    if (node->name() == name) return false;
    apply(std::make_unique<RenameStep>(node, name));
    return true;
}

bool SceneHistory::setKept(const std::string& name, std::vector<KeptChange> changes) {
    changes.erase(std::remove_if(changes.begin(), changes.end(),
                                 [](const KeptChange& c) { return c.kept == c.node->kept(); }),
                  changes.end());
    if (changes.empty()) return false;
    apply(std::make_unique<KeptStep>(name, std::move(changes)));
    return true;
}

bool SceneHistory::setFlag(const std::vector<Node*>& nodes, Flag flag, bool value) {
    std::vector<Node*> changing;
    for (Node* node : nodes)
        if (node->has(flag) != value) changing.push_back(node);
    if (changing.empty()) return false;
    const char* name = flag == Flag::Frozen ? (value ? StepName::FREEZE : StepName::UNFREEZE)
                                            : (value ? StepName::HIDE : StepName::UNHIDE);
    apply(std::make_unique<FlagStep>(name, flag, std::move(changing), value));
    return true;
}

bool SceneHistory::objectEdited(const std::string& name, Node* node,
                                const std::vector<unsigned char>& before) {
    if (!node->object()) return false;
    std::vector<unsigned char> after = saveObjectChunks(*node->object());
    if (after == before) return false;
    push(std::make_unique<ObjectEditStep>(name, node, before, after));
    return true;
}

int SceneHistory::undo(int count) {
    int done = 0;
    if (!groupStarts_.empty()) return 0;
    for (; done < count && canUndo(); ++done) steps_[--position_]->undo(scene_);
    return done;
}

int SceneHistory::redo(int count) {
    int done = 0;
    if (!groupStarts_.empty()) return 0;
    for (; done < count && canRedo(); ++done) steps_[position_++]->redo(scene_);
    return done;
}

void SceneHistory::clear() {
    grouped_.clear();
    groupStarts_.clear();
    steps_.clear();
    bytes_ = 0;
    position_ = 0;
    cleanPosition_ = 0;
}

size_t SceneHistory::bytesKept() const { return bytes_; }
