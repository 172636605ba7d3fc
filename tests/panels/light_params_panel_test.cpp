// "Light Params" on real dialogs: light helpers edited through the page lifecycle, the
// start state and style buttons clicked as a user does.
#include <windows.h>
#include <gtest/gtest.h>
#include "entity/entity_helper.h"
#include "page_test_host.h"
#include "panels/panels.h"
#include "resource.h"
#include "user_input.h"

namespace {

struct StyleCase {
    int id;
    const char* caption;
    int32_t value;
};

const StyleCase styles[] = {
    {1086, "Slow Pulse (no black)", 11},
    {1085, "Flourescent Flicker", 10},
    {1083, "Candle (3)", 8},
    {1080, "Gentle Strobe", 5},
    {1075, "Normal", 0},
    {1076, "Flicker (1)", 1},
    {1077, "Slow Strong Pulse", 2},
    {1078, "Candle (1)", 3},
    {1079, "Fast Strobe", 4},
    {1081, "Flicker (2)", 6},
    {1082, "Candle (2)", 7},
    {1084, "Slow Strobe", 9},
};

class LightPage : public testing::Test {
protected:
    void open(VexalEntityHelper& helper) {
        helper.beginEdit(&host, 0, nullptr);
        page = host.page(IDD_LIGHT_PARAMS);
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override {
        if (keyValuePanelWnd) light.endEdit(&host, END_EDIT_REMOVEUI, nullptr);
    }
    int checkedStyle() const {
        int checked = 0;
        for (int id = 1075; id <= 1086; ++id)
            if (IsDlgButtonChecked(page, id)) checked = checked ? -1 : id;
        return checked;
    }
    bool startsOffShown() const {
        EXPECT_NE(IsDlgButtonChecked(page, IDC_LIGHT_ON), IsDlgButtonChecked(page, IDC_LIGHT_OFF));
        return IsDlgButtonChecked(page, IDC_LIGHT_OFF) == BST_CHECKED;
    }

    PageTestHost host;
    VexalEntityHelper light{"light"};
    HWND page = nullptr;
};

TEST_F(LightPage, ANewLightShowsOnAndNormal) {
    open(light);
    EXPECT_FALSE(startsOffShown());
    EXPECT_EQ(checkedStyle(), IDC_STYLE_NORMAL);
    EXPECT_EQ(light.props.lightFlags, 0);
    EXPECT_EQ(light.props.lightStyle, 0);
}

TEST_F(LightPage, OffAndOnChangeOnlyBitZeroOfTheFlagWord) {
    light.props.lightFlags = 6;
    open(light);
    EXPECT_FALSE(startsOffShown());
    clickButton(page, IDC_LIGHT_OFF);
    EXPECT_EQ(light.props.lightFlags, 7);
    EXPECT_TRUE(startsOffShown());
    clickButton(page, IDC_LIGHT_ON);
    EXPECT_EQ(light.props.lightFlags, 6);
    clickButton(page, IDC_LIGHT_ON);
    EXPECT_EQ(light.props.lightFlags, 6);
    EXPECT_EQ(checkedStyle(), IDC_STYLE_NORMAL) << "the two groups are separate";
    EXPECT_EQ(host.redraws, 0) << "the light page announces nothing";
}

TEST_F(LightPage, EachStyleButtonStoresItsStyleNumberQuietly) {
    light.props.lightFlags = 1;
    open(light);
    for (const StyleCase& s : styles) {
        SCOPED_TRACE(s.caption);
        EXPECT_EQ(controlText(page, s.id), s.caption);
        clickButton(page, s.id);
        EXPECT_EQ(light.props.lightStyle, s.value);
        EXPECT_EQ(checkedStyle(), s.id);
        EXPECT_TRUE(startsOffShown());
    }
    EXPECT_EQ(light.props.lightFlags, 1);
    EXPECT_EQ(host.redraws, 0);
}

TEST_F(LightPage, AStyleOutsideTheTableShowsNormalAndIsKeptUntilAStyleClick) {
    for (int32_t stored : {12, -1}) {
        SCOPED_TRACE(stored);
        light.props.lightStyle = stored;
        open(light);
        EXPECT_EQ(checkedStyle(), IDC_STYLE_NORMAL);
        clickButton(page, IDC_LIGHT_OFF);
        light.endEdit(&host, END_EDIT_REMOVEUI, nullptr);
        EXPECT_EQ(light.props.lightStyle, stored);
    }
    open(light);
    clickButton(page, IDC_STYLE_CANDLE_3);
    EXPECT_EQ(light.props.lightStyle, 8);
}

TEST_F(LightPage, AKeptPageShowsAndEditsTheNextLightOnly) {
    light.props.lightStyle = 3;
    open(light);
    light.endEdit(&host, 0, nullptr);

    VexalEntityHelper globe("light_globe");
    globe.props.lightFlags = 1;
    globe.props.lightStyle = 9;
    globe.beginEdit(&host, 0, nullptr);
    EXPECT_EQ(host.page(IDD_LIGHT_PARAMS), page);
    EXPECT_TRUE(startsOffShown());
    EXPECT_EQ(checkedStyle(), IDC_STYLE_SLOW_STROBE);
    clickButton(page, IDC_STYLE_FLICKER_2);
    clickButton(page, IDC_LIGHT_ON);
    EXPECT_EQ(globe.props.lightStyle, 6);
    EXPECT_EQ(globe.props.lightFlags, 0);
    EXPECT_EQ(light.props.lightStyle, 3);
    EXPECT_EQ(light.props.lightFlags, 0);
    globe.endEdit(&host, END_EDIT_REMOVEUI, nullptr);
}

TEST_F(LightPage, AnUnboundPageChangesNothing) {
    light.props.lightStyle = 2;
    open(light);
    light.endEdit(&host, 0, nullptr);
    clickButton(page, IDC_LIGHT_OFF);
    clickButton(page, IDC_STYLE_CANDLE_1);
    EXPECT_EQ(light.props.lightFlags, 0);
    EXPECT_EQ(light.props.lightStyle, 2);
    light.beginEdit(&host, 0, nullptr);
}

}  // namespace
