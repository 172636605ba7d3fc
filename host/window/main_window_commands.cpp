// The main window's commands in one table: each entry gives a command's menu item, its
// shortcut and the shortcut's text, and the function it runs.
#include "window/main_window.h"
#include "window/compile_menu.h"
#include "window/entity_list.h"
#include "session/host_session.h"

namespace {

enum Menu { FILE_MENU, EDIT_MENU, VIEW_MENU, RUN_MENU };
static_assert(MainWindow::CMD_PROFILE_FIRST + CHOICES_MAX <= MainWindow::CMD_GRID_SMALLER,
              "the profiles' items take ids of their own");

}  // namespace

// Every command of the menus, in menu order.
std::vector<Command> MainWindow::commands() {
    std::vector<Command> all;
    int menu = FILE_MENU;
    const char* submenu = nullptr;
    auto addAction = [&](int id, const char* label, Shortcut keys,
                         std::function<void()> run) -> Command& {
        Command c;
        c.id = id;
        c.menu = menu;
        c.submenu = submenu;
        c.label = label;
        c.shortcut = keys;
        c.run = std::move(run);
        all.push_back(std::move(c));
        return all.back();
    };
    auto add = [&](int id, const char* label, Shortcut keys,
                   void (MainWindow::*run)()) -> Command& {
        return addAction(id, label, keys, [this, run] { (this->*run)(); });
    };
    auto separator = [&] {
        Command c;
        c.menu = menu;
        all.push_back(c);
    };
    auto ctrl = [](WORD key) { return Shortcut{key, true, false}; };
    auto plain = [](WORD key) { return Shortcut{key, false, false}; };
    auto selection = [this] { return !session_.scene().selection().empty(); };

    add(CMD_NEW, "&New", ctrl('N'), &MainWindow::newScene);
    add(CMD_OPEN, "&Open...", ctrl('O'), &MainWindow::openScene);
    add(CMD_SAVE, "&Save", ctrl('S'), &MainWindow::save);
    add(CMD_SAVE_AS, "Save &As...", {}, &MainWindow::saveAsCommand);
    separator();
    add(CMD_IMPORT_MAP, "&Import Map...", {}, &MainWindow::importMap);
    add(CMD_EXPORT_MAP, "&Export Map...", {}, &MainWindow::exportMap);
    separator();
    add(CMD_EXIT, "E&xit", {}, &MainWindow::exit);
    menu = EDIT_MENU;
    Command& undo = add(CMD_UNDO, "&Undo", ctrl('Z'), &MainWindow::undo);
    undo.stepName = [this] { return session_.undoName(); };
    undo.enabled = [this] { return !session_.undoName().empty(); };
    Command& redo = add(CMD_REDO, "&Redo", ctrl('Y'), &MainWindow::redo);
    redo.stepName = [this] { return session_.redoName(); };
    redo.enabled = [this] { return !session_.redoName().empty(); };
    separator();
    add(CMD_CLONE, "&Clone", ctrl('D'), &MainWindow::cloneSelection).enabled = selection;
    add(CMD_DELETE, "&Delete", plain(VK_DELETE), &MainWindow::deleteSelection).enabled = selection;
    add(CMD_ADD_BOX, "Add &Box Brush", ctrl('B'), &MainWindow::addBoxBrushes).enabled = selection;
    add(CMD_LINK, "&Link", ctrl('K'), &MainWindow::startLink).enabled = selection;
    separator();
    add(CMD_FREEZE, "&Freeze", {}, &MainWindow::freezeSelection).enabled = selection;
    add(CMD_UNFREEZE, "Unfree&ze", {}, &MainWindow::unfreezeSelection).enabled = selection;
    add(CMD_HIDE, "&Hide", {}, &MainWindow::hideSelection).enabled = selection;
    add(CMD_UNHIDE_ALL, "Unh&ide All", {}, &MainWindow::unhideAll);
    separator();
    add(CMD_SELECT_ALL, "Select &All", ctrl('A'), &MainWindow::selectAll);
    add(CMD_SELECT_NONE, "Select &None", {}, &MainWindow::selectNone);
    separator();
    add(CMD_CHECK, "Ch&eck", {}, &MainWindow::checkScene);
    menu = VIEW_MENU;
    add(CMD_FRAME, "&Frame Scene", plain('Z'), &MainWindow::frameActiveView);
    add(CMD_FRAME_SELECTION, "Frame Se&lection", plain('F'), &MainWindow::frameSelection);
    add(CMD_FRAME_SELECTION_ALL, "Frame Selection in All &Views", Shortcut{'F', false, true},
        &MainWindow::frameSelectionInAllViews);
    add(CMD_SNAP, "&Snap", plain('S'), &MainWindow::toggleSnap).checked = [this] {
        return viewports_[0] && viewports_[0]->view().snap.enabled;
    };
    add(CMD_GRID_SMALLER, "Smaller Grid", plain(VK_OEM_4), &MainWindow::smallerGrid);
    add(CMD_GRID_LARGER, "Larger Grid", plain(VK_OEM_6), &MainWindow::largerGrid);
    submenu = "&Grid";
    static const char* const gridLabels[] = {"&1",  "&2",  "&4",   "&8",  "1&6",
                                             "&32", "6&4", "12&8", "25&6"};
    const std::vector<int> sizes = GridSize::choices();
    for (size_t i = 0; i < sizes.size(); ++i) {
        Command& size = add(CMD_GRID_FIRST + int(i), gridLabels[i], {}, nullptr);
        size.run = [this, units = sizes[i]] { setGrid(units); };
        size.checked = [this, units = sizes[i]] { return session_.grid().units() == units; };
    }
    submenu = nullptr;
    separator();
    submenu = "La&bels";
    const struct {
        int id;
        const char* label;
        void (MainWindow::*run)();
        LabelMode mode;
    } labelModes[] = {
        {CMD_LABELS_ALL, "&All", &MainWindow::labelAll, LabelMode::All},
        {CMD_LABELS_SELECTED, "&Selected Only", &MainWindow::labelSelected, LabelMode::Selected},
        {CMD_LABELS_NONE, "&None", &MainWindow::labelNone, LabelMode::None},
    };
    for (const auto& m : labelModes)
        add(m.id, m.label, {}, m.run).checked = [this, mode = m.mode] {
            return overlay_.labels == mode;
        };
    submenu = nullptr;
    add(CMD_LINKS, "Lin&ks", {}, &MainWindow::toggleLinks).checked = [this] {
        return overlay_.links;
    };
    add(CMD_ENTITY_LIST, "&Entity List", {}, &MainWindow::toggleEntityList).checked = [this] {
        return entityListShown_;
    };
    add(CMD_ANIMATE_LIGHTS, "Animate Light S&tyles", {}, &MainWindow::toggleLightStyles).checked =
        [this] { return viewports_[0] && viewports_[0]->animatesLights(); };
    separator();
    submenu = "&Point File";
    auto leak = [this] { return compileMenu_ && compileMenu_->hasPointFile(); };
    addAction(CMD_POINT_FILE_LOAD, "&Load...", {}, [this] { compileMenu_->loadPointFile(); });
    addAction(CMD_POINT_NEXT, "&Next Point", {}, [this] { compileMenu_->nextPoint(); }).enabled =
        leak;
    addAction(CMD_POINT_PREVIOUS, "&Previous Point", {}, [this] {
        compileMenu_->previousPoint();
    }).enabled = leak;
    addAction(CMD_POINT_FILE_CLEAR, "&Clear", {}, [this] {
        compileMenu_->clearPointFile();
    }).enabled = leak;
    submenu = nullptr;
    menu = RUN_MENU;
    addAction(CMD_COMPILE, "&Compile", plain(VK_F9), [this] { compileMenu_->compile(); });
    submenu = "P&rofile";
    Command& profiles = addAction(CMD_PROFILE_FIRST, "(no profiles)", {}, nullptr);
    // The menu bar is built before the compile menu.
    profiles.choices = [this] {
        return compileMenu_ ? compileMenu_->profileNames() : std::vector<std::string>();
    };
    profiles.chosen = [this] { return compileMenu_ ? compileMenu_->activeProfile() : ""; };
    profiles.choose = [this](const std::string& name) { compileMenu_->chooseProfile(name); };
    submenu = nullptr;
    addAction(CMD_COMPILE_PROFILES, "Compile &Profiles...", {},
              [this] { compileMenu_->editProfiles(); });
    addAction(CMD_LAUNCH, "&Launch", ctrl(VK_F9), [this] { compileMenu_->launch(); });
    return all;
}
