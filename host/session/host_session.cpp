#include "session/host_session.h"
#include "session/page_editor.h"
#include "session/several_helpers_edit.h"
#include "scene/step_names.h"
#include "session/entity_reading.h"
#include "session/helper_listing.h"
#include "session/map_commands.h"
#include "panel/command_panel.h"
#include "panel/panel_controls.h"
#include "interaction/creation_tool.h"
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

}  // namespace

HostSession::HostSession()
    : pages_(std::make_unique<PageEditor>(*this)),
      several_(std::make_unique<SeveralHelpersEdit>(*this, *pages_)) {
    history_.beforeStep = [this] { pages_->recordPageEdit(); };
}

HostSession::~HostSession() {
    // Pages must let go of the edited helper before the scene deletes it.
    pages_.reset();
    scene_.clear();
}

bool HostSession::start(std::string& error, HWND parent, RECT area) {
    if (!registry_.loadFolder(defaultPluginFolder(), error) || !pages_->start(parent, area, error))
        return false;
    scene_.onNodeChanged = [this](Node& node) { objectChanged(node); };
    return true;
}

// Other helpers' pages come and go by the dozen in a visit: the visit redraws once, after.
void HostSession::changed() {
    if (redraw_ && !several_->visiting()) redraw_();
}

void HostSession::setGrid(const GridSize& grid) {
    grid_ = grid;
    changed();
}

void HostSession::markModified() {
    modified_ = true;
    changed();
}

void HostSession::recordObjectEdit(const std::string& name, Node& node,
                                   const std::vector<unsigned char>& before) {
    if (history_.objectEdited(name, &node, before)) modified_ = true;
}

std::string HostSession::undoName() {
    const std::string pending = pages_->pendingStepName();
    return pending.empty() ? history_.undoName() : pending;
}

std::string HostSession::redoName() {
    return pages_->pendingStepName().empty() ? history_.redoName() : "";
}

void HostSession::setKept(const std::string& name, std::vector<SceneHistory::KeptChange> changes) {
    if (history_.setKept(name, std::move(changes))) markModified();
}

void HostSession::added(const std::string& name, const std::vector<Node*>& nodes) {
    if (nodes.empty()) return;
    history_.add(name, nodes);
    markModified();
}

void HostSession::objectChanged(Node& node) {
    entities_.nodeChanged(node);
    markModified();
    pages_->objectChanged(node);
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
    scene_.setPosition(*node, node->position() + Point3(0, 0, at.z));
    if (!name.empty()) scene_.rename(*node, name);
    created(node);
    return node;
}

void HostSession::created(Node* node, const std::string& classname) {
    lastPlaced_ = node->position();
    Action step(*this, StepName::CREATE);
    history_.add(StepName::CREATE, {node});
    select({node});
    std::string error, warning;
    // The catalogue's names are the list's lines: the click always finds its line.
    if (!classname.empty() &&
        setPageControl(pages_->commandPanel(), "Class", classname, error, warning))
        pages_->storeTyping();  // the pick joins the step before it closes
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
        if (!name.empty()) scene_.rename(*copy, name);
        scene_.setKept(*copy, keptForClone(copy->kept()));
        // One grid step beside its source, where it can be seen and picked rather than
        // hidden under it.
        scene_.setPosition(*copy,
                           copy->position() + Point3(static_cast<float>(grid_.units()), 0, 0));
        copies.push_back(copy);
    }
    if (copies.empty()) return copies;
    history_.add(StepName::CLONE, copies);
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
        if (node->object() && node->object() == pages_->edited()) pages_->endEdit();
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
        if (!node->frozen()) movable.push_back(node);
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
        if (!n->hidden() && !n->frozen()) all.push_back(n.get());
    select(all);
}

HostSession::Action::Action(HostSession& session, const std::string& name)
    : session_(session), modifiedBefore_(session.modified_) {
    session_.history_.beginGroup(name);
}

HostSession::Action::~Action() {
    if (!rolledBack_) session_.history_.endGroup();
}

// The pages' open edit joins the group first, so that it goes with the rest; the pages then
// come up afresh on what the helpers hold again.
void HostSession::Action::rollBack() {
    if (rolledBack_) return;
    rolledBack_ = true;
    session_.pages_->endEdit();
    session_.history_.cancelGroup();
    session_.entities_.sceneChanged();
    session_.modified_ = modifiedBefore_;
    session_.selectionChanged();
}

int HostSession::stepThrough(int (SceneHistory::*step)(int), int count) {
    // The pages go first: an edit still open becomes a step of its own, and no page may
    // hold a helper that the step takes out of the scene.
    pages_->endEdit();
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
    scene_.setSelection(nodes);
    selectionChanged();
}

void HostSession::selectionChanged() {
    {
        CommandPanel::RedrawHold hold(pages_->commandPanel());
        several_->showSelection();
    }
    pages_->rememberShownPages();
    changed();
}

bool HostSession::save(const std::string& path, std::string& error) {
    const bool ok = pages_->withEditClosed([&] {
        return saveScene(scene_, path, error, terminalProgress("saving " + path, BIG_SCENE));
    });
    if (!ok) return false;
    history_.markClean();
    modified_ = false;
    changed();
    return true;
}

bool HostSession::load(const std::string& path, std::string& error) {
    pages_->endEdit();
    // The scene stays as it was on failure.
    bool ok = loadScene(registry_, path, scene_, error, nullptr,
                        terminalProgress("loading " + path, BIG_SCENE_BYTES));
    if (ok) {
        history_.clear();
        modified_ = false;
        lastPlaced_.reset();
    }
    selectionChanged();
    return ok;
}

void HostSession::reset() {
    pages_->endEdit();
    history_.clear();
    scene_.clear();
    modified_ = false;
    grid_ = GridSize();
    lastPlaced_.reset();
    selectionChanged();
}

std::string HostSession::listing() { return helperListing(scene_); }
