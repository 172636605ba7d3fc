// One running host: the plug-ins, the scene, the viewports and the command panel with the
// pages of the edited helper. Scripts, the command line and the main window all work
// through it, so each action is done one way only.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>
#include "session/entity_index.h"
#include "class_pages.h"
#include "panel/page_change.h"
#include "plugins/plugin_registry.h"
#include "render/entity_overlay.h"
#include "render/camera.h"
#include "scene/scene.h"
#include "scene/scene_history.h"

class CommandPanel;
class SoftwareViewport;
class EditSession;

// What a rendered picture shows beyond the helpers: labels and links, and the lights'
// style glows as at a moment (seconds; none: no glows).
struct PictureOptions {
    OverlayOptions overlay;
    std::optional<double> lightTime;
};

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
    CommandPanel& commandPanel();
    // Called when the scene changed and the viewports should be drawn again.
    void setRedrawHandler(std::function<void()> handler) { redraw_ = std::move(handler); }

    const PluginKind* findKind(const std::string& name) const;
    std::string kindNames() const;  // every kind's name, quoted and comma-separated, for messages
    Node* node(const std::string& name) const { return scene_.find(name); }
    Scene& scene() { return scene_; }
    // Every node's entity, kept up to date as nodes change; an undo step that puts nodes
    // back tells it which (nodeChanged) or that the whole scene changed (sceneChanged).
    EntityIndex& entities() { return entities_; }
    // What the window's viewports draw over the helpers (View > Labels, View > Links).
    OverlayOptions& viewOverlay() { return viewOverlay_; }
    PluginRegistry& registry() { return registry_; }

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

    // Several of the changes above that the user made as one action, undone as one step.
    class Action {
    public:
        Action(HostSession& session, const std::string& name);
        ~Action();
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;

    private:
        HostSession& session_;
    };

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

    // Makes these nodes the selection; the first selected helper is edited in the command
    // panel (the previous edit ends first), and with several a change made on its pages is
    // made on each other's own pages too, as one step (selection_edit.cpp).
    void select(const std::vector<Node*>& nodes);
    void selectAll();  // every node neither hidden nor frozen
    // After the nodes' selected flags changed elsewhere (clicks in a viewport).
    void selectionChanged();
    Animatable* edited() const;
    // Ends the edit: the pages go. Before the command panel's window is destroyed.
    void endEdit();

    // Text typed into a page but not yet committed is committed as Enter would, and the
    // edit closed and opened again (the focus kept), so that the text is stored and counted
    // before the scene is read or let go.
    void storeTyping();

    // Runs work with the edit of the shown pages closed and reopened around it: pages store
    // some fields only when the edit ends (typed but unconfirmed texts), as a host does
    // before it reads the scene as a whole.
    bool withEditClosed(const std::function<bool()>& work);
    bool save(const std::string& path, std::string& error);
    bool load(const std::string& path, std::string& error);
    void reset();  // an empty scene

    // Points a viewport's camera at every visible node (or the area round the origin of
    // an empty scene), with a margin.
    void frame(SoftwareViewport& view, bool selectionOnly = false) const;
    // Points it at one node, close up (a double click in the entity list).
    void frameNode(SoftwareViewport& view, const Node& node) const;

    // The lights of the scene with their styles, read from their records as they are now.
    std::vector<LitEntity> lights();
    // Draws the scene into a view's image, with labels and links as overlay asks.
    void drawView(SoftwareViewport& view, const OverlayOptions& overlay);
    // Renders the scene as seen from one view, framed to show every node, to a PNG file.
    bool render(ViewKind view, const std::string& path, int width, int height, std::string& error,
                const PictureOptions& options = {});
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
    void reopenEdit();
    // Which class page the edited helper asks for now, to tell a class pick that needs
    // other pages from every other change.
    void rememberEditedState();
    void editBegan(Animatable* object);
    void editEnded(Animatable* object);
    void recordPageEdit();
    // A page's text committed: stored by the helper unannounced, an edit all the same.
    void pageCommitted();
    // "func_door edit": the helper's classname (the node's name when it has none).
    std::string editStepName(Node& node);
    Node* nodeOf(const Animatable* object) const;
    // Whether the helper of the open pages holds other chunks than when they went up.
    bool pageEditPending();
    int stepThrough(int (SceneHistory::*step)(int), int count);

    // Several selected helpers, edited through the first one's pages (selection_edit.cpp).
    void showSelection();
    void pageChanged(const PageChange& change);
    void applyPageChanges();
    // Opens each other selected helper's pages in turn, does work there and keeps what the
    // pages then show; the first helper's pages come back up last.
    void visitOthers(const std::function<void()>& work);
    // A helper given the chunks another ended in, as one more edit of the step.
    void takeChunksOf(Node& node, Node& like);
    void findMixedControls();
    void showDifferencesOnFirst();

    PluginRegistry registry_;
    Scene scene_;
    SceneHistory history_{scene_};
    Node* editedNode_ = nullptr;                    // whose pages are shown
    std::vector<unsigned char> chunksAtEditStart_;  // its chunks when they went up
    EntityIndex entities_{scene_};
    OverlayOptions viewOverlay_{LabelMode::All, true};
    std::unique_ptr<CommandPanel> panel_;
    std::unique_ptr<EditSession> editSession_;
    std::function<void()> redraw_;
    bool modified_ = false;
    bool reopenPending_ = false;
    PageClass editedPages_ = PageClass::Other;
    Node* firstSelected_ = nullptr;           // whose pages show for the whole selection
    std::vector<Node*> others_;               // the other selected helpers
    std::set<ControlKey> mixedControls_;      // where the others' values differ from the first's
    std::vector<PageChange> pendingChanges_;  // made on the first's pages, not yet on theirs
    bool visiting_ = false;
};
