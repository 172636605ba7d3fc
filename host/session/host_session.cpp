#include "session/host_session.h"
#include "session/entity_reading.h"
#include "session/helper_listing.h"
#include "session/map_commands.h"
#include "interaction/creation_tool.h"
#include "panel/command_panel.h"
#include "panel/edit_session.h"
#include "panel/panel_controls.h"
#include "render/level_drawing.h"
#include "render/scene_render.h"
#include "render/software_viewport.h"
#include "scene/scene_reader.h"
#include "scene/scene_writer.h"
#include "printable_name.h"
#include "scene/scene_ops.h"
#include "scene/storable_node.h"
#include <algorithm>
#include <unordered_set>

// Scenes this big show progress on the terminal while they load, save or render.
constexpr uint64_t BIG_SCENE = 4096;
constexpr uint64_t BIG_SCENE_BYTES = BIG_SCENE * 700;
// A clone lands one step of the viewports' grid beside its source, where it can be seen and
// picked rather than hidden under it.
const Point3 CLONE_OFFSET(10, 0, 0);

namespace {

// A name that another node has, or that no scene file could hold, is refused.
bool nameAvailable(const Scene& scene, const std::string& name, const Node* renamed,
                   std::string& error) {
    const Node* other = scene.find(name);
    if (other && other != renamed) {
        error = "a node named \"" + printableName(name) + "\" exists already";
        return false;
    }
    error = nameLengthProblem(name.size());
    return error.empty();
}

// Framed helpers stay an eighth of the view (at most this many pixels) further from its
// sides than the camera's own fill leaves: room for their labels.
constexpr int FRAME_MARGIN_PIXELS = 80;

int frameMargin(int size) { return std::min(FRAME_MARGIN_PIXELS, size / 8); }

void zoomTo(SoftwareViewport& view, Box3 box, float margin) {
    box.EnlargeBy(margin);
    const int w = view.width(), h = view.height();
    view.camera().zoomToBox(box, w - 2 * frameMargin(w), h - 2 * frameMargin(h));
}

}  // namespace

HostSession::HostSession() {
    history_.beforeStep = [this] { recordPageEdit(); };
}

HostSession::~HostSession() {
    // Pages must let go of the edited helper before the scene deletes it.
    editSession_.reset();
    scene_.clear();
}

bool HostSession::start(std::string& error, HWND parent, RECT area) {
    if (!registry_.loadFolder(defaultPluginFolder(), error)) return false;
    panel_ = std::make_unique<CommandPanel>();
    if (!panel_->create(parent, area)) {
        error = "cannot create the command panel window";
        return false;
    }
    panel_->setRedrawHandler([this](TimeValue, int, ReferenceTarget*) { changed(); });
    editSession_ = std::make_unique<EditSession>(*panel_);
    editSession_->onBegin = [this](Animatable* object) {
        editBegan(object);
        entities_.editBegan(object);
    };
    editSession_->onEnd = [this](Animatable* object) {
        editEnded(object);
        entities_.editEnded(object);
    };
    panel_->setCommitHandler([this] { pageCommitted(); });
    panel_->setChangeHandler([this](const PageChange& change) { pageChanged(change); });
    scene_.onNodeChanged = [this](Node& node) { objectChanged(node); };
    return true;
}

CommandPanel& HostSession::commandPanel() { return *panel_; }

// A window whose session never started (no plug-ins) still closes through here.
void HostSession::endEdit() {
    if (editSession_) editSession_->edit(nullptr);
}

Animatable* HostSession::edited() const { return editSession_ ? editSession_->edited() : nullptr; }

// Other helpers' pages come and go by the dozen in a visit: the visit redraws once, after.
void HostSession::changed() {
    if (redraw_ && !visiting_) redraw_();
}

void HostSession::markModified() {
    modified_ = true;
    changed();
}

void HostSession::rememberEditedState() {
    Node* node = nodeOf(edited());
    editedPages_ = node ? classPageOf(*node) : PageClass::Other;
}

Node* HostSession::nodeOf(const Animatable* object) const {
    for (const auto& n : scene_.nodes())
        if (n->object() && n->object() == object) return n.get();
    return nullptr;
}

// A page edit is one step: the helper's chunks when its pages went up against those when
// they go, restored through the helper's own Load.
void HostSession::editBegan(Animatable* object) {
    editedNode_ = nodeOf(object);
    if (editedNode_) chunksAtEditStart_ = saveObjectChunks(*editedNode_->object());
    showDifferencesOnFirst();
}

void HostSession::editEnded(Animatable* object) {
    if (!editedNode_ || editedNode_->object() != object) return;
    // Text typed into a page is stored quietly when the edit ends: it is a change all the same.
    recordPageEdit();
    editedNode_ = nullptr;
}

// What the open pages changed so far becomes a step, and the pages go on from there.
void HostSession::recordPageEdit() {
    if (!editedNode_ || !editedNode_->object()) return;
    if (history_.objectEdited(editStepName(*editedNode_), editedNode_, chunksAtEditStart_))
        modified_ = true;
    chunksAtEditStart_ = saveObjectChunks(*editedNode_->object());
}

std::string HostSession::editStepName(Node& node) {
    const std::string classname = helperClassname(node);
    return (classname.empty() ? node.name : classname) + " edit";
}

// The edit stays open: like a spinner's change it becomes a step when the pages go.
void HostSession::pageCommitted() {
    if (!pageEditPending()) return;
    entities_.nodeChanged(*editedNode_);
    markModified();
}

bool HostSession::pageEditPending() {
    return editedNode_ && editedNode_->object() &&
           saveObjectChunks(*editedNode_->object()) != chunksAtEditStart_;
}

std::string HostSession::undoName() {
    return pageEditPending() ? editStepName(*editedNode_) : history_.undoName();
}

std::string HostSession::redoName() { return pageEditPending() ? "" : history_.redoName(); }

void HostSession::setKept(const std::string& name, std::vector<SceneHistory::KeptChange> changes) {
    if (history_.setKept(name, std::move(changes))) markModified();
}

void HostSession::added(const std::string& name, const std::vector<Node*>& nodes) {
    if (nodes.empty()) return;
    history_.add(name, nodes);
    markModified();
}

// A class picked on the pages may make the edited helper ask for another class page (a
// door's, a light's, none) than the one shown: the plug-in never swaps pages itself, so
// the edit is opened again once the pick's own messages are done, since the list that
// sent them may be on a page that goes. With several selected the pick's step opens it again.
void HostSession::objectChanged(Node& node) {
    entities_.nodeChanged(node);
    markModified();
    if (!node.object() || node.object() != edited()) return;
    const PageClass pages = classPageOf(node);
    if (pages == editedPages_ || reopenPending_ || !others_.empty()) return;
    editedPages_ = pages;
    reopenPending_ = true;
    panel_->postTask([this] { reopenEdit(); });
}

void HostSession::reopenEdit() {
    const CommandPanel::FocusPlace focus = panel_->focusPlace();
    CommandPanel::RedrawHold hold(*panel_);
    editSession_->reopen();
    panel_->restoreFocus(focus);
    rememberEditedState();
    reopenPending_ = false;
}

const PluginKind* HostSession::findKind(const std::string& name) const {
    return registry_.findByName(name);
}

std::string HostSession::kindNames() const {
    std::string names;
    for (const PluginKind& k : registry_.kinds())
        names += (names.empty() ? "\"" : ", \"") + k.className + "\"";
    return names;
}

Node* HostSession::create(const PluginKind& kind, const Point3& at, const std::string& name,
                          std::string& error) {
    if (!name.empty() && !nameAvailable(scene_, name, nullptr, error)) return nullptr;
    // A new helper starts a fresh edit: the pages of the previous selection go away.
    select({});
    // A top view centred on the spot, so that the click at its centre pixel lands there
    // exactly; the creation procedure places the helper on the ground plane.
    SoftwareViewport view(ViewKind::Top, 201, 201);
    view.setScene(&scene_);
    view.snap.enabled = false;
    view.camera().setTarget(Point3(at.x, at.y, 0));
    Node* node = createByClick(scene_, kind, view, IPoint2(100, 100));
    if (!node) {
        error = "the kind \"" + kind.className + "\" made no helper";
        return nullptr;
    }
    node->transform.Translate(Point3(0, 0, at.z));
    if (!name.empty()) node->name = name;
    created(node);
    return node;
}

void HostSession::created(Node* node, const std::string& classname) {
    Action step(*this, "Create");
    history_.add("Create", {node});
    select({node});
    std::string error, warning;
    // The catalogue's names are the list's lines: the click always finds its line.
    if (!classname.empty() && setPageControl(*panel_, "Class", classname, error, warning))
        storeTyping();  // the pick joins the step before it closes
    markModified();
}

std::vector<Node*> HostSession::clone(const std::vector<Node*>& sources, const std::string& name,
                                      std::string& error) {
    if (!name.empty() && (sources.size() != 1 || !nameAvailable(scene_, name, nullptr, error))) {
        if (error.empty()) error = "one clone takes one name";
        return {};
    }
    std::vector<Node*> copies;
    for (Node* source : sources) {
        Node* copy = cloneNode(scene_, *source, error);
        if (!copy) continue;
        if (!name.empty()) copy->name = name;
        copy->kept = keptForClone(copy->kept);
        copy->transform.Translate(CLONE_OFFSET);
        copies.push_back(copy);
    }
    if (copies.empty()) return copies;
    history_.add("Clone", copies);
    select(copies);
    markModified();
    return copies;
}

bool HostSession::rename(Node* node, const std::string& name, std::string& error) {
    if (!nameAvailable(scene_, name, node, error)) return false;
    if (!history_.rename(node, name)) return true;
    entities_.nodeChanged(*node);
    markModified();
    return true;
}

// Deleted nodes live on in their step, so that undo can bring them back.
void HostSession::remove(const std::vector<Node*>& nodes) {
    if (nodes.empty()) return;
    for (Node* node : nodes)
        if (node->object() && node->object() == edited()) editSession_->edit(nullptr);
    history_.remove(nodes);
    markModified();
    selectionChanged();
}

bool HostSession::moveBy(const std::vector<Node*>& nodes, const Point3& delta,
                         std::string* refusal) {
    const std::string problem = moveProblem(nodes, delta);
    if (!problem.empty()) {
        if (refusal) *refusal = problem;
        return false;
    }
    if (history_.moveBy(nodes, delta)) markModified();
    return true;
}

// Frozen nodes stay where they are.
std::vector<Node*> HostSession::movableSelection() const {
    std::vector<Node*> movable;
    for (Node* node : scene_.selection())
        if (!node->frozen) movable.push_back(node);
    return movable;
}

void HostSession::moveSelection(const Point3& delta) { moveBy(movableSelection(), delta); }

// Summed in double: pivots near a float's limit have a centre a float holds.
Point3 pivotCentre(const std::vector<Node*>& nodes) {
    double sum[3] = {};
    for (const Node* node : nodes)
        for (int axis = 0; axis < 3; ++axis) sum[axis] += node->position()[axis];
    const double count = nodes.empty() ? 1 : double(nodes.size());
    return Point3(float(sum[0] / count), float(sum[1] / count), float(sum[2] / count));
}

bool HostSession::moveTo(const std::vector<Node*>& nodes, const Point3& point,
                         std::string* refusal) {
    return nodes.empty() || moveBy(nodes, point - pivotCentre(nodes), refusal);
}

void HostSession::setFrozen(const std::vector<Node*>& nodes, bool frozen) {
    if (history_.setFlag(nodes, SceneHistory::Flag::Frozen, frozen)) markModified();
}

void HostSession::setHidden(const std::vector<Node*>& nodes, bool hidden) {
    if (history_.setFlag(nodes, SceneHistory::Flag::Hidden, hidden)) markModified();
}

void HostSession::unhideAll() {
    std::vector<Node*> all;
    for (const auto& n : scene_.nodes()) all.push_back(n.get());
    setHidden(all, false);
}

// What a user can pick: neither hidden nor frozen.
void HostSession::selectAll() {
    std::vector<Node*> all;
    for (const auto& n : scene_.nodes())
        if (!n->hidden && !n->frozen) all.push_back(n.get());
    select(all);
}

HostSession::Action::Action(HostSession& session, const std::string& name) : session_(session) {
    session_.history_.beginGroup(name);
}

HostSession::Action::~Action() { session_.history_.endGroup(); }

int HostSession::stepThrough(int (SceneHistory::*step)(int), int count) {
    // The pages go first: an edit still open becomes a step of its own, and no page may
    // hold a helper that the step takes out of the scene.
    editSession_->edit(nullptr);
    std::unordered_set<const Node*> before;
    for (const auto& n : scene_.nodes()) before.insert(n.get());
    const int done = (history_.*step)(count);
    // A step may put back any node's chunks, name or flags, none of them announced.
    entities_.sceneChanged();
    modified_ = !history_.isClean();
    // Nodes a step brings back (a delete undone) are the selection, and only they.
    std::vector<Node*> back;
    for (const auto& n : scene_.nodes())
        if (!before.count(n.get())) back.push_back(n.get());
    if (back.empty())
        selectionChanged();
    else
        select(back);
    return done;
}

int HostSession::undo(int count) { return stepThrough(&SceneHistory::undo, count); }

int HostSession::redo(int count) { return stepThrough(&SceneHistory::redo, count); }

void HostSession::select(const std::vector<Node*>& nodes) {
    for (const auto& n : scene_.nodes()) n->selected = false;
    for (Node* n : nodes) n->selected = true;
    selectionChanged();
}

void HostSession::selectionChanged() {
    {
        CommandPanel::RedrawHold hold(*panel_);
        showSelection();
    }
    rememberEditedState();
    changed();
}

// Text leaves a field for its helper when it is committed (Enter, Tab, the focus moving
// on), so only a field still holding typing needs the edit closed and opened again, which
// costs the pages' making anew.
void HostSession::storeTyping() {
    if (!edited() || !panel_->commitTyping()) return;
    reopenEdit();
    changed();
}

bool HostSession::withEditClosed(const std::function<bool()>& work) {
    Animatable* current = edited();
    editSession_->edit(nullptr);
    bool ok = work();
    editSession_->edit(current);
    rememberEditedState();
    changed();
    return ok;
}

bool HostSession::save(const std::string& path, std::string& error) {
    const bool ok = withEditClosed([&] {
        return saveScene(scene_, path, error, terminalProgress("saving " + path, BIG_SCENE));
    });
    if (!ok) return false;
    history_.markClean();
    modified_ = false;
    changed();
    return true;
}

bool HostSession::load(const std::string& path, std::string& error) {
    editSession_->edit(nullptr);
    // The scene stays as it was on failure.
    bool ok = loadScene(registry_, path, scene_, error, nullptr,
                        terminalProgress("loading " + path, BIG_SCENE_BYTES));
    if (ok) {
        history_.clear();
        modified_ = false;
    }
    selectionChanged();
    return ok;
}

void HostSession::reset() {
    editSession_->edit(nullptr);
    history_.clear();
    scene_.clear();
    modified_ = false;
    selectionChanged();
}

void HostSession::frame(SoftwareViewport& view, bool selectionOnly) const {
    Box3 box;
    for (const auto& n : scene_.nodes())
        if (!n->hidden && (n->selected || !selectionOnly)) {
            box += n->position();
            addOutlinesBox(*n, box);
        }
    if (selectionOnly && box.IsEmpty()) return frame(view, false);
    if (box.IsEmpty()) box = Box3(Point3(-100, -100, 0), Point3(100, 100, 0));
    zoomTo(view, box, 40.0f);
}

void HostSession::frameNode(SoftwareViewport& view, const Node& node) const {
    Box3 box;
    box += node.position();
    zoomTo(view, box, 80.0f);
}

std::vector<LitEntity> HostSession::lights() { return litEntities(entities_.marks()); }

void HostSession::drawView(SoftwareViewport& view, const OverlayOptions& overlay) {
    renderViewport(view, scene_);
    drawEntityOverlay(view, overlayEntities(entities_.marks()), entities_.links(), overlay);
}

bool HostSession::render(ViewKind kind, const std::string& path, int width, int height,
                         std::string& error, const PictureOptions& options) {
    SoftwareViewport view(kind, width, height);
    view.setScene(&scene_);
    frame(view);
    renderViewport(view, scene_, 0, terminalProgress("rendering " + path, BIG_SCENE));
    drawEntityOverlay(view, overlayEntities(entities_.marks()), entities_.links(), options.overlay);
    if (options.lightTime) {
        LightGlows glows;
        glows.capture(view, lights());
        glows.draw(view.image(), *options.lightTime);
    }
    return writePng(view.image(), path, error);
}

std::string HostSession::listing() { return helperListing(scene_); }
