// The document of one running host: the plug-ins, the scene, its history, the selection,
// the changed mark and the entity index. Scripts, the command line and the main window all
// work through it, so each action is done one way only. Its facets live in files of their
// own: the pages of the edited helper (page_editor.h) and the edit of several helpers
// through the first one's pages (several_helpers_edit.h).
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "session/entity_index.h"
#include "plugins/plugin_registry.h"
#include "render/grid_size.h"
#include "scene/scene.h"
#include "scene/scene_history.h"

class PageEditor;
class SeveralHelpersEdit;

// The pivot of one node, the centre of several nodes' pivots.
Point3 pivotCentre(const std::vector<Node*>& nodes);

class HostSession {
public:
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Loads the plug-ins of the host's folder and sets up the command panel: a child of
    // parent filling area, or (no parent) a window of its own.
    bool start(std::string& error, HWND parent = nullptr, RECT area = {0, 0, 230, 600});
    // The pages of the edited helper, and their command panel.
    PageEditor& pages() { return *pages_; }
    // Called when the scene changed and the viewports should be drawn again.
    void setRedrawHandler(std::function<void()> handler) { redraw_ = std::move(handler); }

    const PluginKind* findKind(const std::string& name) const;
    std::string kindNames() const;  // every kind's name, quoted and comma-separated, for messages
    Node* node(const std::string& name) const { return scene_.find(name); }
    Scene& scene() { return scene_; }
    // Every node's entity, kept up to date as nodes change; an undo step that puts nodes
    // back tells it which (nodeChanged) or that the whole scene changed (sceneChanged).
    EntityIndex& entities() { return entities_; }
    PluginRegistry& registry() { return registry_; }
    // The construction grid the views snap and draw to; a new scene starts at its default.
    const GridSize& grid() const { return grid_; }
    void setGrid(const GridSize& grid);  // and the views are drawn again
    // Where the last helper of this scene was placed, if one was.
    const std::optional<Point3>& lastPlaced() const { return lastPlaced_; }

    // Creates a helper as a user does: the kind's descriptor makes it and its creation
    // procedure places it from two clicks at the window position of at in the top view.
    Node* create(const PluginKind& kind, const Point3& at, const std::string& name,
                 std::string& error);
    // A helper the creation tool just made in the scene (clicks in a viewport): one step,
    // and the selection. A classname given is then picked in the helper's class list, in
    // the same step.
    void created(Node* node, const std::string& classname = "");
    // Copies of the sources, each one grid step beside its source, as one step; the copies
    // become the selection. A name is for a single source's copy.
    std::vector<Node*> clone(const std::vector<Node*>& sources, const std::string& name,
                             std::string& error);
    bool rename(Node* node, const std::string& name, std::string& error);
    void remove(const std::vector<Node*>& nodes);  // and the selection follows
    // False, with why in refusal when given, for a move that moveProblem refuses: nothing moves.
    bool moveBy(const std::vector<Node*>& nodes, const Point3& delta,
                std::string* refusal = nullptr);
    void moveSelection(const Point3& delta);  // what a drag moves: the selected, unfrozen nodes
    // Moves the nodes together so that the centre of their pivots lands on point: one step.
    bool moveTo(const std::vector<Node*>& nodes, const Point3& point,
                std::string* refusal = nullptr);
    std::vector<Node*> movableSelection() const;  // the selected, unfrozen nodes
    void setFrozen(const std::vector<Node*>& nodes, bool frozen);
    void setHidden(const std::vector<Node*>& nodes, bool hidden);
    void unhideAll();

    // Several of the changes above that the user made as one action, undone as one step;
    // or, rolled back, none at all: the scene, the history and the changed mark are then as
    // they were when it began.
    class Action {
    public:
        Action(HostSession& session, const std::string& name);
        ~Action();
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;
        void rollBack();

    private:
        HostSession& session_;
        bool modifiedBefore_;
        bool rolledBack_ = false;
    };

    // A helper's own edit (its pages', or one its like made), from its chunks before to
    // those it holds now: one step, when they differ.
    void recordObjectEdit(const std::string& name, Node& node,
                          const std::vector<unsigned char>& before);
    // What nodes keep beyond their objects (their brushes), each given new bytes: one step.
    void setKept(const std::string& name, std::vector<SceneHistory::KeptChange> changes);
    // Nodes just made in the scene another way (an import): one step puts them there.
    void added(const std::string& name, const std::vector<Node*>& nodes);

    // Undo and redo of whole steps, with the pages closed around them; the number taken.
    int undo(int count = 1);
    int redo(int count = 1);
    // An edit still open in the pages is the step undo would take first, and it ends the
    // steps that were undone: redo has nothing to give while it is there.
    std::string undoName();
    std::string redoName();

    // Makes these nodes the selection and announces it: the first selected helper is edited in the
    // command panel (the previous edit ends first), and with several a change made on its pages is
    // made on each other's own pages too, as one step.
    void select(const std::vector<Node*>& nodes);
    void selectAll();  // every node neither hidden nor frozen

    bool save(const std::string& path, std::string& error);
    bool load(const std::string& path, std::string& error);
    void reset();  // an empty scene

    std::string listing();

    // Asks for the viewports to be drawn again.
    void changed();
    // Whether the scene differs from its file (or, never saved, from an empty scene):
    // every edit sets it, a save or a load clears it, and undo back to the saved state.
    bool modified() const { return modified_; }
    // An edit: the scene now differs from its file, and is drawn again.
    void markModified();

private:
    void objectChanged(Node& node);
    // The selection changed: the pages follow it.
    void selectionChanged();
    int stepThrough(int (SceneHistory::*step)(int), int count);

    PluginRegistry registry_;
    Scene scene_;
    SceneHistory history_{scene_};
    EntityIndex entities_{scene_};
    std::unique_ptr<PageEditor> pages_;
    std::unique_ptr<SeveralHelpersEdit> several_;
    std::function<void()> redraw_;
    bool modified_ = false;
    GridSize grid_;
    std::optional<Point3> lastPlaced_;
};
