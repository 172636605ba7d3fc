// The reference host's command panel and edit session with the built plug-in: pages from
// the module's own resources, put up for each selected helper, controls found by
// their labels, and a change on a page reaching the node and the viewports.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "panel/command_panel.h"
#include "panel/edit_session.h"
#include "panel/panel_controls.h"
#include "plugins/plugin_registry.h"
#include "scene/scene.h"

namespace {

using Lines = std::vector<std::string>;

// An object of its own class that writes down the edit calls it receives.
class EditRecorder : public HelperObject {
public:
    EditRecorder(const char* name, uint32_t classPart, Lines& log)
        : name_(name), classPart_(classPart), log_(log) {}
    Class_ID ClassID() override { return Class_ID(classPart_, 1); }
    void beginEdit(HostInterface*, uint32_t, Animatable*) override {
        log_.push_back(std::string("begin ") + name_);
    }
    void endEdit(HostInterface*, uint32_t flags, Animatable*) override {
        log_.push_back(std::string("end ") + name_ + " " + std::to_string(flags));
    }

private:
    const char* name_;
    uint32_t classPart_;
    Lines& log_;
};

TEST(EditSession, EveryMoveToAnotherObjectRemovesThePages) {
    Lines log;
    EditRecorder a("a", 7, log), b("b", 7, log), c("c", 8, log);
    CommandPanel panel;
    EditSession session(panel);
    struct Step {
        Animatable* next;
        Lines calls;
    } steps[] = {
        {&a, {"begin a"}},
        {&b, {"end a 1", "begin b"}},  // the same class id: each object its own pages
        {&c, {"end b 1", "begin c"}},
        {&c, {}},  // already edited
        {nullptr, {"end c 1"}},
    };
    for (const Step& step : steps) {
        log.clear();
        session.edit(step.next);
        EXPECT_EQ(log, step.calls);
        EXPECT_EQ(session.edited(), step.next);
    }
    session.edit(&a);
    log.clear();
    session.reopen();
    EXPECT_EQ(log, (Lines{"end a 1", "begin a"}));
    EXPECT_EQ(session.edited(), &a);
}

class PanelWithPlugin : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(registry.loadFolder("plugins", error)) << error;
        ASSERT_TRUE(panel.create(nullptr, RECT{0, 0, 200, 700}));
        panel.setTime(160);
        panel.setRedrawHandler([this](TimeValue t, int mode, ReferenceTarget* changed) {
            redraws.push_back(std::to_string(t) + " " + std::to_string(mode) +
                              (changed ? " object" : " null"));
        });
        scene.onNodeChanged = [this](Node& node) { changedNodes.push_back(node.name()); };
    }

    Node* place(const char* kind) {
        const PluginKind* k = registry.findByName(kind);
        EXPECT_NE(k, nullptr) << kind;
        auto* object = static_cast<Object*>(k->desc->create(0));
        return scene.add(object, object->ClassID(), object->SuperClassID(),
                         scene.uniqueName(k->className));
    }

    void select(std::initializer_list<Node*> nodes) {
        scene.setSelection(nodes);
        session.followSelection(scene);
    }

    PluginRegistry registry;
    Scene scene;
    CommandPanel panel;
    EditSession session{panel};
    Lines redraws;
    Lines changedNodes;
};

TEST_F(PanelWithPlugin, StacksTheDoorsPagesUnderTheirTitles) {
    select({place("Door")});
    EXPECT_EQ(panel.pageTitles(), (Lines{"Parameters", "Door Params", "Map Parameters"}));
    int previousBottom = -1;
    for (HWND page : panel.pages()) {
        EXPECT_TRUE(panel.isRegistered(page));
        RECT r;
        GetWindowRect(page, &r);
        EXPECT_GT(r.top, previousBottom) << "each page below the one before";
        previousBottom = r.bottom;
    }
    // Closing a page under its title moves the pages below it up.
    HWND parameters = panel.page("Parameters");
    HWND door = panel.page("Door Params");
    RECT before, after;
    GetWindowRect(door, &before);
    panel.setPageOpen(parameters, false);
    EXPECT_FALSE(IsWindowVisible(parameters));
    GetWindowRect(door, &after);
    EXPECT_LT(after.top, before.top);
    panel.setPageOpen(parameters, true);
    EXPECT_TRUE(IsWindowVisible(parameters));
}

TEST_F(PanelWithPlugin, EachSelectedHelperGetsItsOwnPages) {
    Node* door = place("Door");
    Node* trigger = place("Trigger Once");
    Node* lamp = place("VexalEntity");
    const struct {
        std::initializer_list<Node*> selection;
        Lines titles;
    } steps[] = {
        {{door}, {"Parameters", "Door Params", "Map Parameters"}},
        {{trigger}, {"Parameters", "Map Parameters"}},
        {{lamp}, {"Parameters", "Light Params", "Map Parameters"}},
        {{door}, {"Parameters", "Door Params", "Map Parameters"}},
        {{door, trigger}, {"Parameters", "Door Params", "Map Parameters"}},  // the first one's
        {{}, {}},
    };
    for (const auto& step : steps) {
        select(step.selection);
        EXPECT_EQ(panel.pageTitles(), step.titles);
    }
}

TEST_F(PanelWithPlugin, ControlsAreFoundByTheirLabels) {
    select({place("Door")});
    struct Label {
        const char* label;
        int id;  // 0: no control carries it
    } labels[] = {
        {"Axis", 1046},    {"Length:", 1010},  {"length", 1010},    {"Class", 1050},
        {"Angle", 1051},   {"Speed", 1053},    {"Wait", 1055},      {"Lip", 1057},
        {"Health", 1062},  {"Damage", 1064},   {"Sounds", 1060},    {"Target Name", 1029},
        {"Message", 1030}, {"Gold Key", 1069}, {"Dont Link", 1068}, {"Colour", 0},
    };
    for (const Label& l : labels) {
        HWND found = panel.findControl(l.label);
        EXPECT_EQ(found ? GetDlgCtrlID(found) : 0, l.id) << l.label;
    }
}

TEST_F(PanelWithPlugin, AChangeOnAPageReachesTheNodeAndTheViewports) {
    Node* door = place("Door");
    select({door});
    struct Edit {
        const char* label;
        const char* value;
        const char* shownBy;  // the control that shows the result
        const char* shown;
    } edits[] = {
        {"Axis", "off", "Axis", "0"},
        {"Length", "35", "Length", "35.0"},
        {"Gold Key", "on", "Gold Key", "1"},
        {"Angle", "90", "Angle", "90"},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.label);
        redraws.clear();
        changedNodes.clear();
        ASSERT_TRUE(setControlValue(panel.findControl(e.label), e.value));
        EXPECT_EQ(controlValue(panel.findControl(e.shownBy)), e.shown);
        EXPECT_EQ(changedNodes, Lines{door->name()});
        EXPECT_EQ(redraws, Lines{"160 8 null"});
    }
    EXPECT_EQ(door->changeCount(), 4);
}

TEST_F(PanelWithPlugin, EnterThroughTheHostsMessageLoopCommitsTheField) {
    Node* door = place("Door");
    select({door});
    HWND length = panel.findControl("Length");
    SetFocus(length);
    HWND field = GetFocus();
    for (char c : std::string("42")) SendMessageA(field, WM_CHAR, c, 1);
    // The dialog manager of a registered page must let the field have its Enter key.
    MSG enter = {field, WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
    EXPECT_TRUE(panel.translateMessage(&enter));
    EXPECT_EQ(controlValue(length), "42.0");
    EXPECT_EQ(door->changeCount(), 1);
}

// Tab and Shift+Tab through the host's message loop, as the keys arrive from the user.
TEST_F(PanelWithPlugin, TabTakesEachPageInReadingOrderAndOnToTheNext) {
    select({place("Door")});
    ShowWindow(panel.window(), SW_SHOWNA);
    auto press = [&](bool shift) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG tab = {GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
        EXPECT_TRUE(panel.translateMessage(&tab));
    };
    auto focused = [](HWND control) {
        return control && (GetFocus() == control || IsChild(control, GetFocus()));
    };
    const struct {
        const char *from, *to;
        bool shift;
    } steps[] = {{"Key 1", "Value 1", false},
                 {"Value 1", "Key 2", false},
                 {"Key 2", "Value 1", true},
                 {"Value 1", "Key 1", true}};
    for (const auto& step : steps) {
        SetFocus(panel.findControl(step.from));
        press(step.shift);
        EXPECT_TRUE(focused(panel.findControl(step.to))) << step.from << " -> " << step.to;
    }
    // Every control of the door's page is reached, its list of sounds too, and past its
    // last the focus goes on to the next page.
    SetFocus(panel.findControl("Angle"));
    bool sounds = false;
    for (int i = 0; i < 40 && !focused(panel.findControl("Key 1")); ++i) {
        press(false);
        sounds = sounds || focused(panel.findControl("Sounds"));
    }
    EXPECT_TRUE(sounds);
    EXPECT_TRUE(focused(panel.findControl("Key 1")));
}

TEST_F(PanelWithPlugin, TheWheelScrollsThePanelOverAFieldButNotAFocusedSpinnersField) {
    select({place("Door")});
    ShowWindow(panel.window(), SW_SHOWNA);
    SetWindowPos(panel.window(), nullptr, 0, 0, 220, 420, SWP_NOMOVE | SWP_NOZORDER);
    auto wheelOver = [&](HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        MSG wheel = {control,
                     WM_MOUSEWHEEL,
                     MAKEWPARAM(0, -WHEEL_DELTA),
                     0,
                     0,
                     {(r.left + r.right) / 2, (r.top + r.bottom) / 2}};
        const int before = panel.scrollPosition();
        return panel.takeWheel(wheel) && panel.scrollPosition() > before;
    };
    EXPECT_TRUE(wheelOver(panel.findControl("Target Name"))) << "a text field";
    HWND speed = panel.findControl("Speed");
    SetFocus(speed);
    EXPECT_FALSE(wheelOver(speed)) << "a spinner's field with the focus";
    SetFocus(panel.findControl("Target Name"));
    EXPECT_TRUE(wheelOver(speed)) << "a spinner's field without it";
}

}  // namespace
