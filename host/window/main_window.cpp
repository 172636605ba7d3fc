#include "window/main_window.h"
#include "scene/step_names.h"
#include "window/compile_menu.h"
#include <commctrl.h>
#include <shlobj.h>
#include <algorithm>
#include <cstdio>
#include "window/class_search_box.h"
#include "window/entity_list.h"
#include "window/link_pick.h"
#include "window/position_fields.h"
#include "window/target_completion.h"
#include "session/host_session.h"
#include "session/page_editor.h"
#include "session/entity_reading.h"
#include "window/map_menu.h"
#include "window/save_prompt.h"
#include "panel/command_panel.h"
#include "printable_name.h"
#include "session/box_brushes.h"
#include "window/file_dialog.h"
#include "render/view_framing.h"
#include "ui/message_box.h"
#include "ui/window_class.h"

namespace {

const char* windowClass = "VexalHostMain";
constexpr int PANEL_WIDTH = 250;
constexpr int ENTITY_LIST_WIDTH = 380;
constexpr int KIND_BUTTON_HEIGHT = 22;
constexpr int CATEGORY_HEIGHT = 18;

}  // namespace

MainWindow::MainWindow(HostSession& session)
    : session_(session),
      creation_(session.scene()),
      positionFields_(std::make_unique<PositionFields>(session)),
      linkPick_(std::make_unique<LinkPick>(session)) {}

MainWindow::~MainWindow() {
    mapMenu_.reset();
    entityList_.reset();
    classSearch_.reset();
    for (auto& v : viewports_) v.reset();
    destroyWindow();  // its WM_DESTROY ends the pages' edit first
}

bool MainWindow::create(std::string& error) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!createBoundWindow(windowClass, {IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
                           "Vexal Host", 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           Place{CW_USEDEFAULT, CW_USEDEFAULT, 1280, 800}, nullptr)) {
        error = "cannot create the main window";
        return false;
    }
    status_ = childControl(STATUSCLASSNAMEA, "", 0, SBARS_SIZEGRIP, window(), 1);
    if (!positionFields_->create(status_)) {
        error = "cannot create the position fields";
        return false;
    }
    positionFields_->onNote = [this](const std::string& note) { setStatus(note); };
    buildMenu();
    if (!session_.start(error, window(), RECT{0, 0, PANEL_WIDTH, 400})) return false;
    mapMenu_ = std::make_unique<MapMenu>(session_, window());
    mapMenu_->onShow = [this](const Node& node) { showNodeInAllViews(node); };
    mapMenu_->onNote = [this](const std::string& note) { setStatus(note); };
    makeCompileMenu();
    buildCreationList();
    classSearch_ = std::make_unique<ClassSearchBox>(session_);
    if (!classSearch_->create(window(), 4)) {
        error = "cannot create the class search";
        return false;
    }
    classSearch_->onPick = [this](const std::string& classname) { armClass(classname); };
    entityList_ = std::make_unique<EntityListWindow>(session_);
    if (!entityList_->create(window(), 3)) {
        error = "cannot create the entity list";
        return false;
    }
    entityList_->onShow = [this](const Node& node) { showNode(node); };
    entityList_->onPick = [this](Node& node) {
        if (!linkPick_->pending()) return false;
        setStatus(linkPick_->pick(&node));
        return true;
    };
    const ViewKind kinds[4] = {ViewKind::Top, ViewKind::Front, ViewKind::Left,
                               ViewKind::Perspective};
    ViewportWindow::Callbacks cb;
    cb.activated = [this](ViewportWindow& v) {
        note_.clear();  // a click is the next action: the last one's note goes
        activate(v);
    };
    cb.mouseAt = [this](const Point3& p, bool on) { showMousePosition(p, on); };
    cb.creationDone = [this] { updateStatus(); };
    cb.leaveCreateMode = [this] { leaveCreateMode(); };
    cb.picking = [this] { return linkPick_->pending(); };
    cb.picked = [this](Node* node) { setStatus(linkPick_->pick(node)); };
    for (int i = 0; i < 4; ++i) {
        viewports_[i] =
            std::make_unique<ViewportWindow>(session_, creation_, kinds[i], overlay_, cb);
        if (!viewports_[i]->create(window(), 10 + i)) {
            error = "cannot create the viewports";
            return false;
        }
    }
    mapMenu_->setReportArea([this] { return viewsArea(); });
    session_.setRedrawHandler([this] { redrawAll(); });
    layout();
    entityList_->refresh();
    for (auto& v : viewports_) v->frameScene();
    activate(*viewports_[0]);
    updateTitle();
    updateStatus();
    return true;
}

void MainWindow::buildMenu() {
    table_ = std::make_unique<CommandTable>(
        std::vector<const char*>{"&File", "&Edit", "&View", "&Run"}, commands());
    SetMenu(window(), table_->buildMenuBar());
}

void MainWindow::labelAll() { setLabels(LabelMode::All); }

void MainWindow::labelSelected() { setLabels(LabelMode::Selected); }

void MainWindow::labelNone() { setLabels(LabelMode::None); }

void MainWindow::setLabels(LabelMode mode) {
    overlay_.labels = mode;
    redrawAll();
}

void MainWindow::toggleLinks() {
    overlay_.links = !overlay_.links;
    redrawAll();
}

void MainWindow::toggleEntityList() {
    entityListShown_ = !entityListShown_;
    layout();
}

void MainWindow::toggleLightStyles() {
    const bool on = !viewports_[0]->animatesLights();
    for (auto& v : viewports_) v->setAnimateLights(on);
}

void MainWindow::buildCreationList() {
    std::string category;
    for (const PluginKind& k : session_.registry().kinds()) category = k.category;
    categoryLabel_ =
        childControl("STATIC", category.c_str(), 0, SS_CENTER | SS_SUNKEN, window(), 2);
    int i = 0;
    for (const PluginKind& k : session_.registry().kinds())
        kindButtons_.push_back(childControl("BUTTON", k.className.c_str(), 0,
                                            BS_AUTOCHECKBOX | BS_PUSHLIKE, window(),
                                            CMD_KIND_FIRST + i++));
}

void MainWindow::layout() {
    RECT client;
    GetClientRect(window(), &client);
    SendMessageA(status_, WM_SIZE, 0, 0);
    positionFields_->layout(client.right);
    RECT sr;
    GetWindowRect(status_, &sr);
    int bottom = client.bottom - (sr.bottom - sr.top);
    int panelLeft = client.right - PANEL_WIDTH;
    MoveWindow(categoryLabel_, panelLeft + 4, 4, PANEL_WIDTH - 8, CATEGORY_HEIGHT, TRUE);
    int half = (PANEL_WIDTH - 12) / 2;
    for (size_t i = 0; i < kindButtons_.size(); ++i)
        MoveWindow(kindButtons_[i], panelLeft + 4 + int(i % 2) * (half + 4),
                   8 + CATEGORY_HEIGHT + int(i / 2) * (KIND_BUTTON_HEIGHT + 2), half,
                   KIND_BUTTON_HEIGHT, TRUE);
    int rows = int(kindButtons_.size() + 1) / 2;
    const int searchTop = 10 + CATEGORY_HEIGHT + rows * (KIND_BUTTON_HEIGHT + 2);
    classSearch_->move(
        RECT{panelLeft + 4, searchTop, client.right - 4, searchTop + ClassSearchBox::HEIGHT});
    int panelTop = searchTop + ClassSearchBox::HEIGHT + 4;
    MoveWindow(session_.pages().commandPanel().window(), panelLeft, panelTop, PANEL_WIDTH,
               bottom - panelTop, TRUE);
    // The viewports keep at least half the width: the entity list gives way first.
    const int listWidth =
        entityListShown_ ? std::clamp(panelLeft - int(client.right / 2), 0, ENTITY_LIST_WIDTH) : 0;
    const int listLeft = panelLeft - listWidth;
    entityList_->move(RECT{listLeft, 0, panelLeft - 2, bottom});
    ShowWindow(entityList_->window(), listWidth > 0 ? SW_SHOWNA : SW_HIDE);
    int w = listLeft / 2, h = bottom / 2;
    for (int i = 0; i < 4; ++i) {
        int x = (i % 2) * w, y = (i / 2) * h;
        if (viewports_[i]) viewports_[i]->move(RECT{x, y, x + w - 2, y + h - 2});
    }
}

HWND MainWindow::kindButton(const std::string& className) const {
    const auto& kinds = session_.registry().kinds();
    for (size_t i = 0; i < kinds.size() && i < kindButtons_.size(); ++i)
        if (kinds[i].className == className) return kindButtons_[i];
    return nullptr;
}

void MainWindow::armKind(int index) {
    const auto& kinds = session_.registry().kinds();
    bool arm = SendMessageA(kindButtons_[index], BM_GETCHECK, 0, 0) == BST_CHECKED;
    for (size_t i = 0; i < kindButtons_.size(); ++i)
        if (int(i) != index) SendMessageA(kindButtons_[i], BM_SETCHECK, BST_UNCHECKED, 0);
    creation_.setKind(arm ? &kinds[index] : nullptr);
    updateStatus();
}

void MainWindow::armClass(const std::string& classname) {
    leaveCreateMode();
    SendMessageA(kindButtons_.front(), BM_SETCHECK, BST_CHECKED, 0);
    creation_.setKind(&session_.registry().kinds().front(), classname);
    updateStatus();
}

void MainWindow::startLink() {
    linkPick_->start();
    updateStatus();
}

void MainWindow::activate(ViewportWindow& view) {
    if (active_ == &view) return;
    if (active_) active_->setActive(false);
    active_ = &view;
    view.setActive(true);
}

void MainWindow::showMousePosition(const Point3& p, bool onPlane) {
    char text[96];
    if (onPlane)
        std::snprintf(text, sizeof text, "x %.2f   y %.2f   z %.2f", p.x, p.y, p.z);
    else
        std::snprintf(text, sizeof text, "off the construction plane");
    SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

void MainWindow::updateStatus() {
    const SnapSettings& snap = viewports_[0]->view().snap;
    char text[96];
    const char* snapsTo = snap.toPivots ? "grid + pivots" : "grid";
    std::snprintf(text, sizeof text, "Grid %d  Snap %s", session_.grid().units(),
                  snap.enabled ? snapsTo : "off");
    SendMessageA(status_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    const std::vector<Node*> selected = session_.scene().selection();
    std::string what;
    if (linkPick_->pending())
        what = linkPick_->prompt();
    else if (creation_.kind())
        what = "Creating " + creation_.kind()->className +
               (creation_.classname().empty() ? "" : " as " + creation_.classname()) +
               ": click in a viewport (Esc ends)";
    else if (selected.size() == 1)
        what = printableName(selected[0]->name()) + " (" + helperClassname(*selected[0]) + ")";
    else if (selected.empty())
        what = std::to_string(session_.scene().size()) + " nodes";
    else
        what = std::to_string(selected.size()) + " selected";
    if (!note_.empty()) what = note_ + " - " + what;
    SendMessageA(status_, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(what.c_str()));
}

std::string MainWindow::sceneName() const {
    const size_t slash = path_.find_last_of("\\/");
    return path_.empty() ? "untitled" : path_.substr(slash == std::string::npos ? 0 : slash + 1);
}

// "level.vxs* - Vexal Host": the mark while the scene differs from its file.
void MainWindow::updateTitle() {
    std::string title = sceneName() + (session_.modified() ? "*" : "") + " - Vexal Host";
    SetWindowTextA(window(), title.c_str());
}

// While a drag changes the scene, the view dragged in follows every mouse move and the
// rest (other views, the list, a shown report) catch up once, when it ends.
void MainWindow::redrawAll() {
    for (auto& v : viewports_)
        if (v && v->changesByDrag()) {
            v->redraw();
            positionFields_->show();
            return;
        }
    for (auto& v : viewports_)
        if (v) v->redraw();
    if (entityList_) entityList_->refresh();
    if (classSearch_) classSearch_->refresh();
    positionFields_->show();
    if (mapMenu_) mapMenu_->sceneChanged();
    if (status_) updateStatus();
    if (window()) updateTitle();
}

bool MainWindow::changesSettled() {
    session_.pages().storeTyping();
    if (!session_.modified()) return true;
    switch (askSaveChanges(window(), sceneName())) {
        case SaveChoice::Save:
            return saveScene();
        case SaveChoice::DontSave:
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

// A save starts in the current scene's folder with its name; a new scene's in the user's
// documents.
std::string MainWindow::askFile(bool save) {
    FileDialog dialog{"Vexal scenes (*.vxs)\0*.vxs\0All files\0*.*\0", "vxs", "", ""};
    if (save) {
        const size_t slash = path_.find_last_of("\\/");
        if (slash != std::string::npos) dialog.folder = path_.substr(0, slash);
        char documents[MAX_PATH];
        if (dialog.folder.empty() && SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr,
                                                      SHGFP_TYPE_CURRENT, documents) == S_OK)
            dialog.folder = documents;
        dialog.name = path_.empty() ? "untitled.vxs" : sceneName();
    }
    return askFileName(window(), save, dialog);
}

bool MainWindow::open(const std::string& path) {
    std::string error;
    if (!session_.load(path, error)) {
        showMessage(window(), error, "Vexal Host", MB_OK | MB_ICONERROR);
        return false;
    }
    path_ = path;
    updateTitle();
    for (auto& v : viewports_) v->frameScene();
    return true;
}

bool MainWindow::saveAs() {
    session_.pages().storeTyping();
    std::string path = askFile(true);
    if (path.empty()) return false;
    path_ = path;
    updateTitle();
    return saveScene();
}

void MainWindow::command(int id) {
    if (id >= CMD_KIND_FIRST && id < CMD_KIND_FIRST + int(kindButtons_.size())) {
        armKind(id - CMD_KIND_FIRST);
        return;
    }
    // The last action's note goes with the next one.
    note_.clear();
    table_->run(id);
    // A command that took away the pages holding the focus (a delete, an undo) leaves it
    // nowhere: the active viewport takes it, so the next shortcut still reaches the window.
    if (!GetFocus() && active_) SetFocus(active_->window());
    updateStatus();
}

void MainWindow::newScene() {
    if (!changesSettled()) return;
    session_.reset();
    path_.clear();
    updateTitle();
}

void MainWindow::openScene() {
    if (!changesSettled()) return;
    std::string path = askFile(false);
    if (!path.empty()) open(path);
}

bool MainWindow::saveScene() {
    session_.pages().storeTyping();
    if (path_.empty()) return saveAs();
    std::string error;
    if (session_.save(path_, error)) return true;
    showMessage(window(), error, "Vexal Host", MB_OK | MB_ICONERROR);
    return false;
}

void MainWindow::exit() {
    if (changesSettled()) DestroyWindow(window());
}

void MainWindow::importMap() { mapMenu_->importMap(); }

void MainWindow::exportMap() {
    session_.pages().storeTyping();
    mapMenu_->exportMap();
}

void MainWindow::checkScene() {
    session_.pages().storeTyping();
    mapMenu_->check();
}

void MainWindow::cloneSelection() {
    std::string error;
    const std::vector<Node*> copies = session_.clone(session_.scene().selection(), "", error);
    if (copies.size() == 1) setStatus("Cloned " + copies[0]->name());
}

// A box round each selected helper's pivot, sized from the grid and in its usual texture: a
// door or a trigger has its size in the game at once.
void MainWindow::addBoxBrushes() {
    std::vector<std::pair<Node*, BoxCorners>> boxes;
    for (Node* node : session_.scene().selection())
        boxes.push_back({node, boxAroundPivot(*node, float(session_.grid().units()))});
    std::string error;
    if (!addBoxes(session_, boxes, "", StepName::ADD_BOX_BRUSH, error)) setStatus(error);
}

void MainWindow::deleteSelection() { session_.remove(session_.scene().selection()); }

void MainWindow::setSelectionFrozen(bool frozen) {
    session_.setFrozen(session_.scene().selection(), frozen);
}

void MainWindow::hideSelection() { session_.setHidden(session_.scene().selection(), true); }

void MainWindow::unhideAll() { session_.unhideAll(); }

void MainWindow::setStatus(const std::string& note) {
    note_ = note;
    updateStatus();
}

void MainWindow::undo() { session_.undo(); }

void MainWindow::redo() { session_.redo(); }

void MainWindow::selectAll() { session_.selectAll(); }

void MainWindow::selectNone() { session_.select({}); }

void MainWindow::frameActiveView() {
    if (active_) active_->frameScene();
}

void MainWindow::frameSelection() {
    if (active_) active_->frameSelection();
}

void MainWindow::frameSelectionInAllViews() {
    for (auto& v : viewports_) v->frameSelection();
}

void MainWindow::leaveCreateMode() {
    for (HWND button : kindButtons_) SendMessageA(button, BM_SETCHECK, BST_UNCHECKED, 0);
    creation_.setKind(nullptr);
    updateStatus();
}

void MainWindow::makeCompileMenu() {
    compileMenu_ = std::make_unique<CompileMenu>(session_, window(), overlay_);
    compileMenu_->scenePath = [this] { return path_; };
    compileMenu_->onShow = [this](const Node& node) { showNode(node); };
    compileMenu_->onFramePoint = [this](const Point3& point) { framePoint(point); };
    compileMenu_->onNote = [this](const std::string& note) { setStatus(note); };
    compileMenu_->onRedraw = [this] { redrawAll(); };
}

// Every view centred on a point of the leak, its zoom kept.
void MainWindow::framePoint(const Point3& point) {
    for (auto& v : viewports_) {
        v->view().camera().setTarget(point);
        v->redraw();
    }
}

// The active view zoomed onto one node, from the entity list.
void MainWindow::showNode(const Node& node) {
    if (!active_) return;
    frameNode(active_->view(), node);
    active_->redraw();
}

void MainWindow::showNodeInAllViews(const Node& node) {
    for (auto& v : viewports_) {
        frameNode(v->view(), node);
        v->redraw();
    }
}

RECT MainWindow::viewsArea() const {
    RECT area, lowerRight;
    GetWindowRect(viewports_.front()->window(), &area);
    GetWindowRect(viewports_.back()->window(), &lowerRight);
    area.right = lowerRight.right;
    area.bottom = lowerRight.bottom;
    return area;
}

void MainWindow::toggleSnap() {
    bool on = !viewports_[0]->view().snap.enabled;
    for (auto& v : viewports_) v->view().snap.enabled = on;
    updateStatus();
}

void MainWindow::smallerGrid() {
    GridSize grid = session_.grid();
    grid.halve();
    session_.setGrid(grid);
}

void MainWindow::largerGrid() {
    GridSize grid = session_.grid();
    grid.twice();
    session_.setGrid(grid);
}

void MainWindow::setGrid(int units) {
    GridSize grid;
    if (grid.set(units)) session_.setGrid(grid);
}

LRESULT MainWindow::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            if (status_) layout();
            return 0;
        case WM_INITMENUPOPUP:
            table_->refresh(reinterpret_cast<HMENU>(wp));
            break;
        case WM_COMMAND:
            command(LOWORD(wp));
            return 0;
        case WM_CLOSE:
            exit();
            return 0;
        case WM_DESTROY:
            // The command panel, a child, goes with this window: its pages first.
            session_.pages().endEdit();
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

// A text field anywhere in the window is told from the rest by its class: the pages'
// fields, the Find box and the list's rename box are all edit controls.
FocusPlace MainWindow::focusPlace(HWND focus) const {
    const bool text = isEditControl(focus);
    if (entityList_->owns(focus)) return text ? FocusPlace::FindBox : FocusPlace::EntityList;
    HWND panel = session_.pages().commandPanel().window();
    if (focus == panel || IsChild(panel, focus))
        return text ? FocusPlace::PageField : FocusPlace::PageButton;
    // The class search and the position fields keep their text's keys as Find does.
    return text ? FocusPlace::FindBox : FocusPlace::Viewport;
}

bool MainWindow::takenBeforeShortcuts(const MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && linkPick_->cancel()) {
        updateStatus();
        return true;
    }
    // Create mode ends by Escape wherever the focus is: the class search that armed it
    // keeps the focus.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && creation_.kind()) {
        leaveCreateMode();
        return true;
    }
    return positionFields_->takeKey(msg, float(session_.grid().units())) ||
           listTypeAhead_.take(msg, session_.pages().commandPanel().window());
}

void MainWindow::dispatch(MSG& msg) {
    if (textFields_.take(msg) || session_.pages().commandPanel().takeWheel(msg) ||
        mapMenu_->translateMessage(msg) || compileMenu_->translateMessage(msg) ||
        takenBeforeShortcuts(msg))
        return;
    const bool inWindow = msg.hwnd == window() || IsChild(window(), msg.hwnd);
    if (inWindow && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
        const Shortcut key{static_cast<WORD>(msg.wParam), GetKeyState(VK_CONTROL) < 0,
                           GetKeyState(VK_SHIFT) < 0};
        if (keyGoesToTable(focusPlace(msg.hwnd), key) &&
            TranslateAcceleratorA(window(), table_->accelerators(), &msg))
            return;
    }
    HWND panel = session_.pages().commandPanel().window();
    const bool inPanel = msg.hwnd == panel || IsChild(panel, msg.hwnd);
    if (!inPanel || !session_.pages().commandPanel().translateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    completeTargetField(session_, msg);
}

int runMainWindow(const char* scene) {
    HostSession session;
    MainWindow main(session);
    std::string error;
    if (!main.create(error)) {
        std::fprintf(stderr, "vexalhost: %s\n", error.c_str());
        return 1;
    }
    if (scene) main.open(scene);
    ShowWindow(main.window(), SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) main.dispatch(msg);
    return 0;
}
