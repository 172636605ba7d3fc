// The helper panel ("Parameters"), clicked, typed into and dragged as a user does: each
// control writes the helper at once and announces the change once.
#include <cstring>
#include <functional>
#include "entity_catalogue.h"
#include "panel/panel_controls.h"
#include "panel_test_fixture.h"
#include "recording_streams.h"
#include "test_files.h"

namespace {

class HelperPanel : public PanelTest {
protected:
    HWND page() { return helperPanelWnd; }
    HWND list() { return control(page(), IDC_CLASS_LIST); }
    HWND spinner() { return control(page(), IDC_AXIS_LENGTH_SPINNER); }

    // The mouse on the spinner's upper (up) or lower (down) arrow, moved by dy while held.
    void pressSpinner(bool up, int dy) {
        RECT r;
        GetClientRect(spinner(), &r);
        const int y = up ? 1 : r.bottom - 2;
        SendMessageA(spinner(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, y));
        if (dy) SendMessageA(spinner(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, y + dy));
        SendMessageA(spinner(), WM_LBUTTONUP, 0, MAKELPARAM(2, y + dy));
    }

    void expectOneAnnouncement(VexalEntityHelper* helper) {
        ASSERT_EQ(dependent.heard.size(), 1u);
        EXPECT_EQ(dependent.heard[0].partId, 3u);
        EXPECT_EQ(dependent.heard[0].message, 0x50u);
        EXPECT_EQ(dependent.heard[0].target, helper);
        EXPECT_EQ(host.calls, (std::vector<std::string>{"time", "redraw 4800 8 null"}));
    }
};

TEST_F(HelperPanel, FirstDisplayOfANewDoorShowsItsNameAndTheDefaults) {
    VexalEntityHelper* door = make("func_door");
    startListening();
    begin(door);
    EXPECT_EQ(controlValue(list()), "func_door");
    EXPECT_EQ(controlValue(control(page(), IDC_SHOW_AXIS)), "1");
    EXPECT_EQ(controlValue(control(page(), IDC_AXIS_LENGTH_EDIT)), "20.0");
    EXPECT_EQ(controlValue(spinner()), "20");
    // The whole catalogue, in the list's own sorted order.
    ASSERT_EQ(SendMessageA(list(), LB_GETCOUNT, 0, 0), 98);
    char previous[80] = "", line[80];
    for (int i = 0; i < 98; ++i) {
        SendMessageA(list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        EXPECT_LE(lstrcmpiA(previous, line), 0) << line;
        std::strcpy(previous, line);
    }
    EXPECT_TRUE(dependent.heard.empty()) << "showing the helper changes nothing";
}

TEST_F(HelperPanel, EveryCatalogueNameSelectsItselfNotALongerOne) {
    VexalEntityHelper* previous = make(entityClassNames[0]);
    begin(previous);
    for (int i = 0; entityClassNames[i][0] != '\0'; ++i) {
        VexalEntityHelper* next = make(entityClassNames[i]);
        moveOn(previous, next);
        EXPECT_EQ(controlValue(list()), entityClassNames[i]);
        previous = next;
    }
}

TEST_F(HelperPanel, AxisAndLengthWriteAtOnceWithOneAnnouncementAndOneRedraw) {
    VexalEntityHelper* door = make("func_door");
    begin(door);
    struct Step {
        const char* action;
        std::function<void()> act;
        int showAxis;
        float axisLength;
    } steps[] = {
        {"untick Axis", [&] { clickButton(control(page(), IDC_SHOW_AXIS)); }, 0, 20.0f},
        {"tick Axis", [&] { clickButton(control(page(), IDC_SHOW_AXIS)); }, 1, 20.0f},
        {"up arrow", [&] { pressSpinner(true, 0); }, 1, 21.0f},
        {"down arrow", [&] { pressSpinner(false, 0); }, 1, 20.0f},
        {"type 35 and Enter", [&] { typeIntoField(control(page(), IDC_AXIS_LENGTH_EDIT), "35"); },
         1, 35.0f},
        {"type below the limit", [&] { typeIntoField(control(page(), IDC_AXIS_LENGTH_EDIT), "2"); },
         1, 10.0f},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        startListening();
        step.act();
        EXPECT_EQ(door->showAxis, step.showAxis);
        EXPECT_NEAR(door->axisLength, step.axisLength, 1e-4);
        expectOneAnnouncement(door);
    }
    // Only the edited helper changed: new helpers still start from the defaults.
    EXPECT_EQ(defaultShowAxis, 1);
    EXPECT_EQ(defaultAxisLength, 20.0f);
    VexalEntityHelper fresh("func_door");
    EXPECT_EQ(fresh.showAxis, 1);
    EXPECT_EQ(fresh.axisLength, 20.0f);
}

TEST_F(HelperPanel, DraggingTheSpinnerAnnouncesEachChangeOfTheLength) {
    VexalEntityHelper* door = make("func_door");
    begin(door);
    startListening();
    pressSpinner(true, -50);  // 50 pixels up at a scale of 0.1
    EXPECT_NEAR(door->axisLength, 25.0f, 1e-4);
    EXPECT_FALSE(dependent.heard.empty());
    EXPECT_EQ(redraws().size(), dependent.heard.size());
}

TEST_F(HelperPanel, PickingAClassWritesNameAndIndexButKeepsThePageSet) {
    VexalEntityHelper* door = make("func_door");
    begin(door);
    const std::vector<std::string> titles = panel.pageTitles();
    startListening();
    ASSERT_TRUE(clickListItem(list(), "light_globe"));
    EXPECT_STREQ(door->classname, "light_globe");
    EXPECT_EQ(door->classIndex, 52);
    const char zeros[80] = {};
    EXPECT_EQ(std::memcmp(door->classname + 12, zeros, 80 - 12), 0) << "rest of the field is zero";
    EXPECT_EQ(panel.pageTitles(), titles);
    EXPECT_EQ(pageHelper(classPanelWnd), door) << "the door page stays up";
    // Each notification the list sends is announced, and redrawn at the current time.
    EXPECT_FALSE(dependent.heard.empty());
    EXPECT_EQ(redraws().size(), dependent.heard.size());
    for (const std::string& redraw : redraws()) EXPECT_EQ(redraw, "redraw 4800 8 null");
}

TEST_F(HelperPanel, PickingAClassRewritesTheWholeNameAndLeavesTheRecordAsItWas) {
    VexalEntityHelper* door = make("func_door");
    door->props.angle = 90;
    door->props.goldKey = 1;
    std::strcpy(door->props.targetName, "gold_door");
    const EntityProps before = door->props;
    begin(door);
    ASSERT_TRUE(clickListItem(list(), "light_torch_small_walltorch"));
    ASSERT_TRUE(clickListItem(list(), "light"));  // shorter than the name before it

    RecordingSave saved;
    ASSERT_EQ(door->Save(&saved), IO_OK);
    ASSERT_EQ(saved.chunks.size(), 4u);
    EXPECT_EQ(saved.chunks[2].bytes, nameField("light")) << "no tail of the longer name";
    EXPECT_EQ(std::memcmp(saved.chunks[3].bytes.data(), &before, sizeof before), 0)
        << "a door renamed to a light keeps and saves its door fields";
}

TEST_F(HelperPanel, FocusIntoTheListStoresTheSelectedNameAgain) {
    VexalEntityHelper* trigger = make("trigger_once");
    VexalEntityHelper* plat = make("func_plat");
    begin(trigger);
    moveOn(trigger, plat);
    EXPECT_EQ(controlValue(list()), "func_plat");
    startListening();
    focusControl(list());
    EXPECT_STREQ(plat->classname, "func_plat");
    EXPECT_EQ(plat->classIndex, 16);
    EXPECT_STREQ(trigger->classname, "trigger_once");
    expectOneAnnouncement(plat);
}

TEST_F(HelperPanel, AClassnameOutsideTheCatalogueSelectsNothingAndIsKept) {
    VexalEntityHelper* custom = make("zz_custom");
    custom->classIndex = 7;
    begin(custom);
    EXPECT_EQ(SendMessageA(list(), LB_GETCURSEL, 0, 0), LB_ERR);
    startListening();
    focusControl(list());
    EXPECT_STREQ(custom->classname, "zz_custom");
    EXPECT_EQ(custom->classIndex, 7);
    expectOneAnnouncement(custom);

    // A kept page refreshed for it drops the previous helper's selection.
    VexalEntityHelper* door = make("func_door");
    moveOn(custom, door);
    EXPECT_EQ(controlValue(list()), "func_door");
    moveOn(door, custom);
    EXPECT_EQ(SendMessageA(list(), LB_GETCURSEL, 0, 0), LB_ERR);

    // The beginning of a name selects the first line it begins.
    VexalEntityHelper* partial = make("func_d");
    moveOn(custom, partial);
    EXPECT_EQ(controlValue(list()), "func_dm_only");
}

TEST_F(HelperPanel, AListLineTooLongForTheClassnameLeavesItAsItWas) {
    VexalEntityHelper* door = make("func_door");
    begin(door);
    const std::string longLine = "zz_" + std::string(97, 'x');
    SendMessageA(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longLine.c_str()));
    ASSERT_TRUE(clickListItem(list(), longLine));
    EXPECT_STREQ(door->classname, "func_door");
    EXPECT_EQ(door->classIndex, 11);
    EXPECT_EQ(door->creating, 0) << "nothing written past the field";
}

}  // namespace
