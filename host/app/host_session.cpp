#include "app/host_session.h"
#include <algorithm>
#include <cctype>
#include "app/map_commands.h"
#include "interaction/creation_tool.h"
#include "panel/command_panel.h"
#include "panel/edit_session.h"
#include "render/scene_render.h"
#include "render/software_viewport.h"
#include "scene/chunk_writer.h"
#include "scene/scene_reader.h"
#include "scene/scene_writer.h"
#include "scene/printable_name.h"
#include "scene/scene_ops.h"
#include "scene/storable_node.h"

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

HostSession::HostSession() = default;

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
    editSession_->onEditChanged = [this](Animatable* ended) {
        entities_.editChanged(ended, edited());
    };
    scene_.onNodeChanged = [this](Node& node) { objectChanged(node); };
    return true;
}

CommandPanel& HostSession::commandPanel() { return *panel_; }

void HostSession::endEdit() { editSession_->edit(nullptr); }

Animatable* HostSession::edited() const { return editSession_ ? editSession_->edited() : nullptr; }

void HostSession::changed() {
    if (redraw_) redraw_();
}

void HostSession::markModified() {
    modified_ = true;
    changed();
}

namespace {

std::vector<unsigned char> storedState(Animatable* object) {
    auto* maker = dynamic_cast<ReferenceMaker*>(object);
    if (!maker) return {};
    MemorySink sink;
    ChunkWriter writer(sink);
    maker->Save(&writer);
    return sink.bytes;
}

bool isListBox(HWND window) {
    char name[16];
    return window && GetClassNameA(window, name, sizeof name) && lstrcmpiA(name, "ListBox") == 0;
}

}  // namespace

void HostSession::rememberEditedState() { editedState_ = storedState(edited()); }

// A pick in a list on the pages (a kind of thing, a class) that changes the edited object
// may make it ask for other pages than those shown. The edit is opened again once the
// pick's own messages are done, since the list may be on a page that goes.
void HostSession::objectChanged(Node& node) {
    entities_.nodeChanged(node);
    markModified();
    if (!node.object() || node.object() != edited()) return;
    std::vector<unsigned char> state = storedState(node.object());
    const bool differs = state != editedState_;
    editedState_.swap(state);
    HWND focus = GetFocus();
    if (!differs || reopenPending_ || !isListBox(focus) || !IsChild(panel_->window(), focus))
        return;
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
    if (at.z != 0) moveBy(node, Point3(0, 0, at.z));
    if (!name.empty()) node->name = name;
    // The creation leaves the new helper selected; the pages follow.
    selectionChanged();
    markModified();
    return node;
}

Node* HostSession::clone(Node* source, const std::string& name, std::string& error) {
    if (!name.empty() && !nameAvailable(scene_, name, nullptr, error)) return nullptr;
    Node* copy = cloneNode(scene_, *source, error);
    if (copy && !name.empty()) copy->name = name;
    if (copy) markModified();
    return copy;
}

bool HostSession::rename(Node* node, const std::string& name, std::string& error) {
    if (!nameAvailable(scene_, name, node, error)) return false;
    if (node->name == name) return true;
    node->name = name;
    entities_.nodeChanged(*node);
    markModified();
    return true;
}

void HostSession::remove(Node* node) {
    if (node->object() && node->object() == edited()) editSession_->edit(nullptr);
    deleteNode(scene_, node);
    markModified();
}

void HostSession::moveBy(Node* node, const Point3& delta) {
    if (delta == Point3(0, 0, 0)) return;
    node->transform.Translate(delta);
    markModified();
}

void HostSession::setFrozen(Node* node, bool frozen) {
    if (node->frozen == frozen) return;
    node->frozen = frozen;
    markModified();
}

void HostSession::setHidden(Node* node, bool hidden) {
    if (node->hidden == hidden) return;
    node->hidden = hidden;
    markModified();
}

void HostSession::select(const std::vector<Node*>& nodes) {
    for (const auto& n : scene_.nodes()) n->selected = false;
    for (Node* n : nodes) n->selected = true;
    selectionChanged();
}

void HostSession::selectionChanged() {
    {
        CommandPanel::RedrawHold hold(*panel_);
        editSession_->followSelection(scene_);
    }
    rememberEditedState();
    changed();
}

bool HostSession::withEditClosed(const std::function<bool()>& work) {
    Animatable* current = edited();
    editSession_->edit(nullptr);
    bool ok = work();
    editSession_->edit(current);
    rememberEditedState();
    if (ok) modified_ = false;
    changed();
    return ok;
}

bool HostSession::save(const std::string& path, std::string& error) {
    return withEditClosed([&] {
        return saveScene(scene_, path, error, terminalProgress("saving " + path, BIG_SCENE));
    });
}

bool HostSession::load(const std::string& path, std::string& error) {
    editSession_->edit(nullptr);
    // The scene stays as it was on failure.
    bool ok = loadScene(registry_, path, scene_, error, nullptr,
                        terminalProgress("loading " + path, BIG_SCENE_BYTES));
    editSession_->followSelection(scene_);
    rememberEditedState();
    if (ok) modified_ = false;
    changed();
    return ok;
}

void HostSession::reset() {
    editSession_->edit(nullptr);
    scene_.clear();
    modified_ = false;
    changed();
}

void HostSession::frame(SoftwareViewport& view) const {
    Box3 box;
    for (const auto& n : scene_.nodes())
        if (!n->hidden) box += n->position();
    if (box.IsEmpty()) box = Box3(Point3(-100, -100, 0), Point3(100, 100, 0));
    box.EnlargeBy(40.0f);
    view.camera().zoomToBox(box, view.width(), view.height());
}

void HostSession::drawView(SoftwareViewport& view, const OverlayOptions& overlay) {
    renderViewport(view, scene_);
    drawEntityOverlay(view, entities_.marks(), overlay);
}

bool HostSession::render(ViewKind kind, const std::string& path, int width, int height,
                         std::string& error, const OverlayOptions& overlay) {
    SoftwareViewport view(kind, width, height);
    view.setScene(&scene_);
    frame(view);
    renderViewport(view, scene_, 0, terminalProgress("rendering " + path, BIG_SCENE));
    drawEntityOverlay(view, entities_.marks(), overlay);
    return writePng(view.image(), path, error);
}

std::string HostSession::listing() { return helperListing(scene_); }
