// The page lifecycle: which pages go up for which helper and in what order, the Bound,
// Kept and Closed states, the hand-over of kept pages to the next helper, and the
// read-back at the end of an edit. The pages are the module's real dialogs.
#include <cstring>
#include "panel/panel_controls.h"
#include "panel_test_fixture.h"
#include "vexsdk/custcontrols.h"

namespace {

using Calls = std::vector<std::string>;

class Lifecycle : public PanelTest {};

// Everything a page may write, from classname to the end of the record, as one block.
std::vector<unsigned char> fieldsOf(const VexalEntityHelper& helper) {
    auto first = reinterpret_cast<const unsigned char*>(helper.classname);
    auto end = reinterpret_cast<const unsigned char*>(&helper.props + 1);
    return std::vector<unsigned char>(first, end);
}

TEST_F(Lifecycle, PagesAreRequestedInOrderByTheHelpersClass) {
    struct Case {
        const char* classname;
        Calls calls;
    } cases[] = {
        {"func_door",
         {"add 110 Parameters", "register 110", "add 112 Door Params", "register 112",
          "add 113 Map Parameters", "register 113"}},
        {"light_globe",
         {"add 110 Parameters", "register 110", "add 114 Light Params", "register 114",
          "add 113 Map Parameters", "register 113"}},
        {"light",
         {"add 110 Parameters", "register 110", "add 114 Light Params", "register 114",
          "add 113 Map Parameters", "register 113"}},
        {"func_door_secret",
         {"add 110 Parameters", "register 110", "add 113 Map Parameters", "register 113"}},
        {"func_plat",
         {"add 110 Parameters", "register 110", "add 113 Map Parameters", "register 113"}},
        {"trigger_once",
         {"add 110 Parameters", "register 110", "add 113 Map Parameters", "register 113"}},
        // Either side of the lights' range.
        {"item_sigil",
         {"add 110 Parameters", "register 110", "add 113 Map Parameters", "register 113"}},
        {"monster_army",
         {"add 110 Parameters", "register 110", "add 113 Map Parameters", "register 113"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.classname);
        startListening();
        VexalEntityHelper* helper = make(c.classname);
        begin(helper);
        EXPECT_EQ(host.calls, c.calls);
        EXPECT_EQ(hostInterface, &host);
        // Bound: every page shown edits this helper.
        for (HWND page : panel.pages()) EXPECT_EQ(pageHelper(page), helper);
        EXPECT_EQ(panel.pages().size(), c.calls.size() / 2);

        startListening();
        end(helper, END_EDIT_REMOVEUI);
        Calls takeDown;
        for (auto it = c.calls.rbegin(); it != c.calls.rend(); it += 2) {
            const std::string id = it->substr(it->find(' ') + 1);
            takeDown.push_back("unregister " + id);
            takeDown.push_back("delete " + id);
        }
        EXPECT_EQ(host.calls, takeDown) << "pages go in the reverse order";
        EXPECT_TRUE(panel.pages().empty());
        EXPECT_EQ(hostInterface, nullptr);
    }
}

TEST_F(Lifecycle, EndingWithThePagesKeptUnbindsThemAndDeletesNothing) {
    VexalEntityHelper* door = make("func_door");
    begin(door);
    const std::vector<HWND> pages = panel.pages();
    startListening();
    end(door, 0);
    EXPECT_EQ(host.calls, Calls{});
    EXPECT_EQ(panel.pages(), pages);
    for (HWND page : pages) EXPECT_EQ(pageHelper(page), nullptr);
    EXPECT_EQ(hostInterface, nullptr);
    EXPECT_EQ(classPanelWnd, pages[1]);
    EXPECT_EQ(classPanelId, IDD_ENTITY_PARAMS);
    // Closing from Kept (as a host does when the selection empties) deletes them.
    startListening();
    door->beginEdit(&host, 0, nullptr);
    end(door, END_EDIT_REMOVEUI);
    EXPECT_TRUE(panel.pages().empty());
}

TEST_F(Lifecycle, ClicksOnKeptPagesChangeNoHelper) {
    VexalEntityHelper* door = make("func_door");
    begin(door);
    HWND helperPage = helperPanelWnd;
    HWND doorPage = classPanelWnd;
    end(door, 0);
    // The end of the edit has read the pages back; from here on nothing may change.
    const std::vector<unsigned char> before = fieldsOf(*door);
    startListening();

    clickButton(control(helperPage, IDC_SHOW_AXIS));
    clickListItem(control(helperPage, IDC_CLASS_LIST), "light_globe");
    typeIntoField(control(helperPage, IDC_AXIS_LENGTH_EDIT), "55");
    clickButton(control(doorPage, IDC_GOLD_KEY));
    typeIntoField(control(doorPage, IDC_TARGET_NAME), "t1");
    typeIntoField(control(keyValuePanelWnd, IDC_KEY_ROW1), "target");

    EXPECT_EQ(fieldsOf(*door), before);
    EXPECT_TRUE(dependent.heard.empty());
    EXPECT_EQ(host.calls, Calls{});

    door->beginEdit(&host, 0, nullptr);
    edited = door;
}

TEST_F(Lifecycle, UnboundPagesAnswerFalseToEveryMessageButInitDialog) {
    for (const char* classname : {"func_door", "light"}) {
        VexalEntityHelper* helper = make(classname);
        begin(helper);
        end(helper, 0);
        for (HWND page : panel.pages()) {
            auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(page, DWLP_DLGPROC));
            for (UINT message :
                 {UINT(WM_COMMAND), spinnerChangeMessage, editCommitMessage, UINT(WM_DESTROY)})
                EXPECT_EQ(proc(page, message, 0, 0), FALSE) << classname << " " << message;
        }
        begin(helper);
        end(helper, END_EDIT_REMOVEUI);
    }
}

TEST_F(Lifecycle, KeptPagesAreHandedToTheNextHelperAndShowIt) {
    VexalEntityHelper* first = make("trigger_once");
    VexalEntityHelper* second = make("func_plat");
    second->showAxis = 0;
    second->axisLength = 64.5f;
    begin(first);
    HWND page = helperPanelWnd;
    startListening();
    moveOn(first, second);
    EXPECT_EQ(host.calls, Calls{}) << "no page is added, none deleted";
    EXPECT_EQ(helperPanelWnd, page);
    EXPECT_EQ(pageHelper(page), second);
    EXPECT_EQ(pageHelper(keyValuePanelWnd), second);
    EXPECT_EQ(hostInterface, &host);
    EXPECT_EQ(controlValue(control(page, IDC_SHOW_AXIS)), "0");
    EXPECT_EQ(controlValue(control(page, IDC_AXIS_LENGTH_EDIT)), "64.5");
    EXPECT_EQ(controlValue(control(page, IDC_CLASS_LIST)), "func_plat");
    // The refreshed page edits the second helper only.
    clickButton(control(page, IDC_SHOW_AXIS));
    EXPECT_EQ(second->showAxis, 1);
    EXPECT_EQ(first->showAxis, 1);
    first->showAxis = 0;
    clickButton(control(page, IDC_SHOW_AXIS));
    EXPECT_EQ(second->showAxis, 0);
    EXPECT_EQ(first->showAxis, 0);
}

TEST_F(Lifecycle, TheClassPageIsChosenOnlyWhenNoneIsShown) {
    VexalEntityHelper* trigger = make("trigger_once");
    VexalEntityHelper* door = make("func_door");
    VexalEntityHelper* light = make("light");
    door->props.goldKey = 1;
    begin(trigger);
    startListening();
    moveOn(trigger, door);
    EXPECT_EQ(host.calls, (Calls{"add 112 Door Params", "register 112"}));
    EXPECT_EQ(panel.pageTitles(),
              (std::vector<std::string>{"Parameters", "Map Parameters", "Door Params"}));
    HWND doorPage = classPanelWnd;
    EXPECT_EQ(controlValue(control(doorPage, IDC_GOLD_KEY)), "1");

    // From the door to a light and back to the trigger: the door page stays, and edits
    // each helper in turn.
    startListening();
    moveOn(door, light);
    EXPECT_EQ(host.calls, Calls{});
    EXPECT_EQ(classPanelWnd, doorPage);
    EXPECT_EQ(pageHelper(doorPage), light);
    EXPECT_EQ(controlValue(control(doorPage, IDC_GOLD_KEY)), "0");
    moveOn(light, trigger);
    clickButton(control(doorPage, IDC_GOLD_KEY));
    EXPECT_EQ(trigger->props.goldKey, 1);
    EXPECT_EQ(light->props.goldKey, 0);
    EXPECT_EQ(door->props.goldKey, 1);
}

TEST_F(Lifecycle, ClosingAfterALightLetsTheNextDoorHaveItsOwnPage) {
    VexalEntityHelper* light = make("light_globe");
    VexalEntityHelper* door = make("func_door");
    begin(light);
    EXPECT_EQ(classPanelId, IDD_LIGHT_PARAMS);
    end(light, END_EDIT_REMOVEUI);
    EXPECT_EQ(classPanelWnd, nullptr);
    startListening();
    begin(door);
    EXPECT_EQ(host.calls[2], "add 112 Door Params");
    EXPECT_EQ(classPanelId, IDD_ENTITY_PARAMS);
    EXPECT_EQ(pageHelper(classPanelWnd), door);
}

TEST_F(Lifecycle, AKeptLightPageShowsAndEditsTheSecondLight) {
    VexalEntityHelper* first = make("light");
    VexalEntityHelper* second = make("light");
    second->props.lightFlags = 1;
    second->props.lightStyle = 10;
    begin(first);
    HWND lightPage = classPanelWnd;
    moveOn(first, second);
    EXPECT_EQ(controlValue(control(lightPage, IDC_LIGHT_OFF)), "1");
    EXPECT_EQ(controlValue(control(lightPage, IDC_STYLE_FLUORESCENT_FLICKER)), "1");
    EXPECT_EQ(controlValue(control(lightPage, IDC_STYLE_NORMAL)), "0");
    clickButton(control(lightPage, IDC_STYLE_CANDLE_3));
    EXPECT_EQ(second->props.lightStyle, 8);
    EXPECT_EQ(first->props.lightStyle, 0);
}

TEST_F(Lifecycle, EndingTheEditReadsBackTextTypedWithoutCommitting) {
    const uint32_t endings[] = {0, END_EDIT_REMOVEUI};
    for (uint32_t flags : endings) {
        SCOPED_TRACE(flags);
        VexalEntityHelper* door = make("func_door");
        begin(door);
        HWND targetName = control(classPanelWnd, IDC_TARGET_NAME);
        // Typed, never committed: the field keeps the focus until the edit ends.
        focusControl(targetName);
        const char typed[] = "a_target_name_of_forty_characters_long__";
        ASSERT_EQ(std::strlen(typed), 40u);
        for (const char* c = typed; *c; ++c) SendMessageA(GetFocus(), WM_CHAR, *c, 1);
        EXPECT_STREQ(door->props.targetName, "");
        end(door, flags);
        EXPECT_EQ(std::string(door->props.targetName), std::string(typed, 31));
        if (flags == 0) {
            begin(door);
            end(door, END_EDIT_REMOVEUI);
        }
    }
}

TEST_F(Lifecycle, KeptKeyValuePageIsRefilledWithoutTouchingTheClassPage) {
    VexalEntityHelper* first = make("func_door");
    VexalEntityHelper* second = make("func_door");
    first->props.angle = 90;
    std::strcpy(second->props.keyValueText, "k1|v1|k2|v2|k3|v3|k4|v4|k5|v5|k6|v6|k7|v7|k8|v8|");
    begin(first);
    HWND doorPage = classPanelWnd;
    end(first, 0);
    // The refill alone: the door page still shows the first helper's angle.
    startListening();
    second->addKeyValuePanel(&host);
    EXPECT_EQ(controlValue(control(keyValuePanelWnd, IDC_KEY_ROW1)), "k1");
    EXPECT_EQ(controlValue(control(keyValuePanelWnd, IDC_VALUE_ROW6)), "v6");
    EXPECT_EQ(controlValue(control(keyValuePanelWnd, IDC_VALUE_ROW8)), "v8");
    EXPECT_EQ(controlValue(control(doorPage, IDC_ANGLE_EDIT)), "90");
    EXPECT_EQ(host.calls, Calls{});
    first->beginEdit(&host, 0, nullptr);
    edited = first;
}

TEST_F(Lifecycle, APageTheHostCouldNotMakeIsAskedForAgainAndLeftOutOfTheEnd) {
    VexalEntityHelper* door = make("func_door");
    host.failingDialog = IDD_ENTITY_PARAMS;
    begin(door);
    EXPECT_EQ(host.calls, (Calls{"add 110 Parameters", "register 110", "add 112 Door Params",
                                 "add 113 Map Parameters", "register 113"}));
    EXPECT_EQ(classPanelWnd, nullptr);
    startListening();
    end(door, 0);
    host.failingDialog = 0;
    begin(door);
    EXPECT_EQ(host.calls, (Calls{"add 112 Door Params", "register 112"}));
    startListening();
    end(door, END_EDIT_REMOVEUI);
    EXPECT_EQ(host.calls, (Calls{"unregister 113", "delete 113", "unregister 112", "delete 112",
                                 "unregister 110", "delete 110"}));
}

TEST_F(Lifecycle, AnnouncementCoversAllTimeAndRedrawsAtTheHostsCurrentTime) {
    VexalEntityHelper* helper = make("trigger_once");
    begin(helper);
    // A dependent that passes announcements on: the helper asks for propagation.
    struct Relay : ReferenceTarget {
        SClass_ID SuperClassID() override { return 0x99; }
    } relay;
    AnnouncementRecorder beyond;
    helper->addDependent(&relay);
    relay.addDependent(&beyond);
    startListening();
    helper->notifyAndRedraw();
    ASSERT_EQ(dependent.heard.size(), 1u);
    const AnnouncementRecorder::Heard& heard = dependent.heard[0];
    EXPECT_EQ(heard.interval.Start(), static_cast<TimeValue>(0x80000000u));
    EXPECT_EQ(heard.interval.End(), 0x7FFFFFFF);
    EXPECT_EQ(heard.partId, 3u);
    EXPECT_EQ(heard.message, 0x50u);
    EXPECT_EQ(heard.target, helper);
    EXPECT_EQ(beyond.heard.size(), 1u);
    EXPECT_EQ(host.calls, (Calls{"time", "redraw 4800 8 null"}));
    helper->removeDependent(&relay);
}

TEST_F(Lifecycle, APagesUserDataHoldsTheWholePointer) {
    VexalEntityHelper* helper = make("func_plat");
    begin(helper);
    auto* highPointer =
        reinterpret_cast<VexalEntityHelper*>(static_cast<uintptr_t>(0x7FEDCBA987650ull));
    bindPage(helperPanelWnd, highPointer);
    EXPECT_EQ(pageHelper(helperPanelWnd), highPointer);
    bindPage(helperPanelWnd, helper);
}

}  // namespace
