// "Light Params" on a real command panel: light helpers edited through the page lifecycle,
// the start state and style buttons clicked as a user does.
#include "panel/panel_controls.h"
#include "panel_test_fixture.h"

namespace {

struct StyleCase {
    const char* caption;
    int32_t value;
};

const StyleCase styles[] = {
    {"Slow Pulse (no black)", 11},
    {"Flourescent Flicker", 10},
    {"Candle (3)", 8},
    {"Gentle Strobe", 5},
    {"Normal", 0},
    {"Flicker (1)", 1},
    {"Slow Strong Pulse", 2},
    {"Candle (1)", 3},
    {"Fast Strobe", 4},
    {"Flicker (2)", 6},
    {"Candle (2)", 7},
    {"Slow Strobe", 9},
};

class LightPage : public PanelTest {
protected:
    void open(VexalEntityHelper* helper) {
        begin(helper);
        ASSERT_NE(classPanelWnd, nullptr);
        ASSERT_EQ(classPanelId, IDD_LIGHT_PARAMS);
    }
    HWND button(const char* caption) {
        HWND found = findLabelledControl(classPanelWnd, caption);
        EXPECT_NE(found, nullptr) << caption;
        return found;
    }
    void click(const char* caption) { clickButton(button(caption)); }
    // The caption of the one checked style button; "" for none, "several" for more.
    std::string checkedStyle() {
        std::string checked;
        for (const StyleCase& s : styles)
            if (controlValue(button(s.caption)) == "1")
                checked = checked.empty() ? s.caption : "several";
        return checked;
    }
    bool startsOffShown() {
        EXPECT_NE(controlValue(button("On")), controlValue(button("Off")));
        return controlValue(button("Off")) == "1";
    }
};

TEST_F(LightPage, ANewLightShowsOnAndNormal) {
    VexalEntityHelper* light = make("light");
    open(light);
    EXPECT_FALSE(startsOffShown());
    EXPECT_EQ(checkedStyle(), "Normal");
    EXPECT_EQ(light->props.lightFlags, 0);
    EXPECT_EQ(light->props.lightStyle, 0);
}

TEST_F(LightPage, OffAndOnChangeOnlyBitZeroOfTheFlagWordAndAnnounceNothing) {
    VexalEntityHelper* light = make("light");
    light->props.lightFlags = 6;
    open(light);
    startListening();
    EXPECT_FALSE(startsOffShown());
    click("Off");
    EXPECT_EQ(light->props.lightFlags, 7);
    EXPECT_TRUE(startsOffShown());
    click("On");
    EXPECT_EQ(light->props.lightFlags, 6);
    click("On");
    EXPECT_EQ(light->props.lightFlags, 6);
    EXPECT_EQ(checkedStyle(), "Normal") << "the two groups are separate";
    EXPECT_TRUE(dependent.heard.empty());
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(LightPage, EachStyleButtonStoresItsStyleNumberQuietly) {
    VexalEntityHelper* light = make("light_fluoro");
    light->props.lightFlags = 1;
    open(light);
    startListening();
    for (const StyleCase& s : styles) {
        SCOPED_TRACE(s.caption);
        click(s.caption);
        EXPECT_EQ(light->props.lightStyle, s.value);
        EXPECT_EQ(checkedStyle(), s.caption);
        EXPECT_EQ(GetDlgCtrlID(button(s.caption)), IDC_STYLE_NORMAL + s.value);
        EXPECT_TRUE(startsOffShown());
    }
    EXPECT_EQ(light->props.lightFlags, 1);
    EXPECT_TRUE(dependent.heard.empty());
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(LightPage, AStyleOutsideTheTableShowsNormalAndIsKeptUntilAStyleClick) {
    VexalEntityHelper* light = make("light");
    for (int32_t stored : {12, -1}) {
        SCOPED_TRACE(stored);
        light->props.lightStyle = stored;
        open(light);
        EXPECT_EQ(checkedStyle(), "Normal");
        click("Off");
        end(light, END_EDIT_REMOVEUI);
        EXPECT_EQ(light->props.lightStyle, stored);
    }
    open(light);
    click("Candle (3)");
    EXPECT_EQ(light->props.lightStyle, 8);
}

TEST_F(LightPage, AKeptPageShowsAndEditsTheNextLightOnly) {
    VexalEntityHelper* light = make("light");
    light->props.lightStyle = 3;
    open(light);
    HWND page = classPanelWnd;
    VexalEntityHelper* globe = make("light_globe");
    globe->props.lightFlags = 1;
    globe->props.lightStyle = 9;
    moveOn(light, globe);
    EXPECT_EQ(classPanelWnd, page);
    EXPECT_TRUE(startsOffShown());
    EXPECT_EQ(checkedStyle(), "Slow Strobe");
    click("Flicker (2)");
    click("On");
    EXPECT_EQ(globe->props.lightStyle, 6);
    EXPECT_EQ(globe->props.lightFlags, 0);
    EXPECT_EQ(light->props.lightStyle, 3);
    EXPECT_EQ(light->props.lightFlags, 0);
}

TEST_F(LightPage, NotificationsOtherThanAClickStoreNothing) {
    VexalEntityHelper* light = make("light");
    open(light);
    for (int id : {IDC_LIGHT_OFF, IDC_STYLE_CANDLE_1})
        for (WORD code : {WORD(BN_SETFOCUS), WORD(BN_KILLFOCUS), WORD(BN_DOUBLECLICKED)})
            SendMessageA(classPanelWnd, WM_COMMAND, MAKEWPARAM(id, code),
                         reinterpret_cast<LPARAM>(GetDlgItem(classPanelWnd, id)));
    EXPECT_EQ(light->props.lightFlags, 0);
    EXPECT_EQ(light->props.lightStyle, 0);
}

TEST_F(LightPage, AnUnboundPageChangesNothing) {
    VexalEntityHelper* light = make("light");
    light->props.lightStyle = 2;
    open(light);
    end(light, 0);
    click("Off");
    click("Candle (1)");
    EXPECT_EQ(light->props.lightFlags, 0);
    EXPECT_EQ(light->props.lightStyle, 2);
    begin(light);
}

}  // namespace
