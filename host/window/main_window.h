// The interactive host: four viewports, the creation list and the command panel with the
// pages of the selected helper, a menu for scene files and editing, and a status bar
// with the mouse's world position and the snap.
#pragma once
#include <windows.h>
#include <array>
#include <memory>
#include <string>
#include <vector>
#include "ui/bound_window.h"
#include "ui/text_field_selection.h"
#include "window/viewport_window.h"
#include "interaction/creation_tool.h"
#include "window/command_table.h"
#include "window/list_type_ahead.h"

class ClassSearchBox;
class CompileMenu;
class EntityListWindow;
class LinkPick;
class PositionFields;
class HostSession;
class MapMenu;

class MainWindow : public BoundWindow {
public:
    explicit MainWindow(HostSession& session);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Makes the window and starts the session inside it; false with a message.
    bool create(std::string& error);
    ViewportWindow& viewport(int i) { return *viewports_[i]; }
    // The creation-list button of a kind, or null.
    HWND kindButton(const std::string& className) const;
    bool open(const std::string& path);
    // Handles one message of the loop: the text fields' selection keys and clicks first,
    // then the command table's shortcuts, wherever the focus is in the window (a text field
    // keeps its own keys), then the pages' keyboard navigation.
    void dispatch(MSG& msg);

    // Menu and accelerator commands.
    enum CommandId : int {
        CMD_NEW = 100,
        CMD_OPEN,
        CMD_SAVE,
        CMD_SAVE_AS,
        CMD_IMPORT_MAP,
        CMD_EXPORT_MAP,
        CMD_EXIT,
        CMD_CLONE = 200,
        CMD_DELETE,
        CMD_FREEZE,
        CMD_UNFREEZE,
        CMD_HIDE,
        CMD_UNHIDE_ALL,
        CMD_SELECT_ALL,
        CMD_SELECT_NONE,
        CMD_CHECK,
        CMD_UNDO,
        CMD_REDO,
        CMD_ADD_BOX,
        CMD_LINK,
        CMD_FRAME = 300,
        CMD_FRAME_SELECTION,
        CMD_FRAME_SELECTION_ALL,
        CMD_SNAP,
        CMD_LABELS_ALL = 400,
        CMD_LABELS_SELECTED,
        CMD_LABELS_NONE,
        CMD_LINKS,
        CMD_ENTITY_LIST,
        CMD_ANIMATE_LIGHTS,
        CMD_POINT_FILE_LOAD,
        CMD_POINT_NEXT,
        CMD_POINT_PREVIOUS,
        CMD_POINT_FILE_CLEAR,
        CMD_COMPILE = 500,
        CMD_COMPILE_PROFILES,
        CMD_LAUNCH,
        CMD_PROFILE_FIRST = 510,  // Run > Profile: one item per profile of the file
        CMD_GRID_SMALLER = 600,
        CMD_GRID_LARGER,
        CMD_GRID_FIRST = 610,  // View > Grid: one item per size, smallest first
        CMD_KIND_FIRST = 1000,
    };
    void command(int id);
    MapMenu& mapMenu() { return *mapMenu_; }
    CompileMenu& compileMenu() { return *compileMenu_; }
    EntityListWindow& entityList() { return *entityList_; }
    ClassSearchBox& classSearch() { return *classSearch_; }
    PositionFields& positionFields() { return *positionFields_; }

private:
    std::vector<Command> commands();
    FocusPlace focusPlace(HWND focus) const;
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) override;
    void buildMenu();
    void buildCreationList();
    void layout();
    void armKind(int index);
    // The first kind armed to create helpers of a classname found in the class search.
    void armClass(const std::string& classname);
    void startLink();
    // Window parts that take the keys they need before the shortcuts: true when taken.
    bool takenBeforeShortcuts(const MSG& msg);
    void activate(ViewportWindow& view);
    void showMousePosition(const Point3& world, bool onPlane);
    void updateStatus();
    // A note of the last action ("Cloned Door002") before the selection's description.
    void setStatus(const std::string& note);
    void updateTitle();
    bool saveAs();
    // Before the scene is replaced or the window closes: true when the work is saved or
    // the user lets it go, false when he cancels (or the save failed).
    bool changesSettled();
    std::string sceneName() const;
    void redrawAll();

    // The commands, one each.
    void newScene();
    void openScene();
    void save() { saveScene(); }
    bool saveScene();
    void saveAsCommand() { saveAs(); }
    void exit();
    void importMap();
    void exportMap();
    void checkScene();
    void cloneSelection();
    void addBoxBrushes();
    void undo();
    void redo();
    void frameSelection();
    void frameSelectionInAllViews();
    void leaveCreateMode();
    void deleteSelection();
    void freezeSelection() { setSelectionFrozen(true); }
    void unfreezeSelection() { setSelectionFrozen(false); }
    void setSelectionFrozen(bool frozen);
    void hideSelection();
    void unhideAll();
    void selectAll();
    void selectNone();
    void frameActiveView();
    void showNode(const Node& node);
    // A report's finding picked: every view on its node, since its trouble may lie in any.
    void showNodeInAllViews(const Node& node);
    // The four views' part of the window, on the screen: a report may stand over it.
    RECT viewsArea() const;
    void framePoint(const Point3& point);
    void makeCompileMenu();
    void toggleSnap();
    void smallerGrid();
    void largerGrid();
    void setGrid(int units);
    void labelAll();
    void labelSelected();
    void labelNone();
    void setLabels(LabelMode mode);
    void toggleLinks();
    void toggleEntityList();
    void toggleLightStyles();
    std::string askFile(bool save);

    HostSession& session_;
    CreationTool creation_;
    OverlayOptions overlay_{LabelMode::All, true};  // View > Labels, View > Links
    HWND status_ = nullptr;
    std::string note_;
    HWND categoryLabel_ = nullptr;
    std::vector<HWND> kindButtons_;
    std::array<std::unique_ptr<ViewportWindow>, 4> viewports_;
    ViewportWindow* active_ = nullptr;
    std::unique_ptr<CommandTable> table_;
    std::unique_ptr<MapMenu> mapMenu_;
    std::unique_ptr<CompileMenu> compileMenu_;
    std::unique_ptr<EntityListWindow> entityList_;
    std::unique_ptr<ClassSearchBox> classSearch_;
    std::unique_ptr<PositionFields> positionFields_;
    std::unique_ptr<LinkPick> linkPick_;
    ListTypeAhead listTypeAhead_;
    TextFieldSelection textFields_;
    std::string path_;
    std::string mouseText_;
    bool entityListShown_ = true;
};

// Runs the interactive host until its window closes, opening scene first when given.
int runMainWindow(const char* scene);
