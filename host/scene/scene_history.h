// The scene's undo and redo. Each user action is one step that knows how to take itself
// back and do itself again. A step keeps only what the action changed: the nodes it took
// out of the scene, the transforms or names it replaced, the object chunks before and
// after a page edit. Nodes taken out stay alive in their step, so a Node pointer stays
// valid through any undo and redo.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "scene/scene.h"

// An object's own chunks, as its Save writes them into memory.
std::vector<unsigned char> saveObjectChunks(Object& object);
// Gives an object back chunks saveObjectChunks made; false when the object refuses them.
bool loadObjectChunks(Object& object, const std::vector<unsigned char>& chunks);

class HistoryStep {
public:
    explicit HistoryStep(std::string name) : name_(std::move(name)) {}
    virtual ~HistoryStep() = default;
    const std::string& name() const { return name_; }
    virtual void undo(Scene& scene) = 0;
    virtual void redo(Scene& scene) = 0;
    virtual size_t bytes() const = 0;  // what the step keeps, for the history's budget
    // Takes in the step that follows it in a group when the two are one change (the moves
    // of one drag); true when next is no longer needed.
    virtual bool absorb(HistoryStep&) { return false; }

private:
    std::string name_;
};

constexpr size_t DEFAULT_HISTORY_BYTES = size_t(256) << 20;

class SceneHistory {
public:
    // At most stepLimit steps, keeping at most byteLimit bytes between them: the oldest give
    // way (the latest stays whatever it keeps), so repeated edits of a large node cannot
    // fill the memory.
    explicit SceneHistory(Scene& scene, size_t stepLimit = 1000,
                          size_t byteLimit = DEFAULT_HISTORY_BYTES);
    SceneHistory(const SceneHistory&) = delete;
    SceneHistory& operator=(const SceneHistory&) = delete;

    // Every edit of the scene goes through these: each makes its change as a step that
    // redo applies again the same way, and keeps it, named after it. Those that say so
    // return false, keeping nothing, when nothing changed.
    // Nodes just made in the scene (created, cloned, imported): the step puts them there.
    void add(const std::string& name, const std::vector<Node*>& nodes);
    void remove(const std::vector<Node*>& nodes);                       // "Delete"
    bool moveBy(const std::vector<Node*>& nodes, const Point3& delta);  // "Move"
    bool rename(Node* node, const std::string& name);                   // "Rename"
    // What nodes keep beyond their objects, each given its new bytes, as one step.
    struct KeptChange {
        Node* node;
        std::shared_ptr<const std::vector<unsigned char>> kept;
    };
    bool setKept(const std::string& name, std::vector<KeptChange> changes);
    using Flag = NodeFlag;
    bool setFlag(const std::vector<Node*>& nodes, Flag flag, bool value);  // freeze, hide...
    // A page edit, made by the helper's own pages: kept from the object's chunks when the
    // edit began to those it holds now.
    bool objectEdited(const std::string& name, Node* node,
                      const std::vector<unsigned char>& before);

    // Called before a step is made outside a group, and before a group opens: a change
    // still being made elsewhere (a helper's open pages) becomes a step of its own first,
    // so undo always takes the latest change.
    std::function<void()> beforeStep;

    // Steps recorded between begin and end (which may nest) are undone and redone as one,
    // under the outermost name.
    void beginGroup(const std::string& name);
    void endGroup();
    // Ends the innermost group with its changes taken back and forgotten: the scene and the
    // history are as they were when it began.
    void cancelGroup();

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    std::string undoName() const { return canUndo() ? steps_[position_ - 1]->name() : ""; }
    std::string redoName() const { return canRedo() ? steps_[position_]->name() : ""; }
    // Up to count steps; the number taken. Not while a group is open.
    int undo(int count = 1);
    int redo(int count = 1);

    // The scene as it stands matches its file; isClean until the next step or undo.
    void markClean() { cleanPosition_ = static_cast<long>(position_); }
    bool isClean() const { return cleanPosition_ == static_cast<long>(position_); }
    // Forgets every step (a new or loaded scene); the scene is clean.
    void clear();

    size_t size() const { return steps_.size(); }
    size_t bytesKept() const;

private:
    void apply(std::unique_ptr<HistoryStep> step);
    void push(std::unique_ptr<HistoryStep> step);

    Scene& scene_;
    size_t limit_;
    size_t byteLimit_;
    size_t bytes_ = 0;  // what the steps keep
    std::vector<std::unique_ptr<HistoryStep>> steps_;
    size_t position_ = 0;     // steps before it are done, from it on undone
    long cleanPosition_ = 0;  // -1: the clean state is no longer reachable
    std::string groupName_;
    std::vector<std::unique_ptr<HistoryStep>> grouped_;
    std::vector<size_t> groupStarts_;  // where each open group's steps begin in grouped_
};
