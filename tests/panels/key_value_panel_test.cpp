// "Map Parameters" on real dialogs: cells typed and committed as a user does, texts of
// helpers shown in the cells, kept pages refilled for the next helper.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "entity/entity_helper.h"
#include "page_test_host.h"
#include "panels/panels.h"
#include "resource.h"
#include "user_input.h"

namespace {

// Piece n of the text lands in this cell: screen order, whatever the ids.
const int cellOfPiece[16] = {1072, 1080, 1073, 1081, 1074, 1082, 1075, 1083,
                             1076, 1084, 1079, 1087, 1078, 1086, 1077, 1085};

std::vector<std::string> shownCells(HWND page) {
    std::vector<std::string> cells;
    for (int id : cellOfPiece) cells.push_back(controlText(page, id));
    return cells;
}

std::vector<std::string> cells(std::vector<std::string> first) {
    first.resize(16);
    return first;
}

void setText(VexalEntityHelper& helper, const std::string& text) {
    std::memset(helper.props.keyValueText, 0, sizeof helper.props.keyValueText);
    std::memcpy(helper.props.keyValueText, text.data(), text.size());
}

std::string bars(int n) { return std::string(n, '|'); }

class KeyValuePage : public testing::Test {
protected:
    void open(VexalEntityHelper& helper) {
        helper.beginEdit(&host, 0, nullptr);
        page = host.page(IDD_KEY_VALUE);
        ASSERT_NE(page, nullptr);
        ASSERT_EQ(page, keyValuePanelWnd);
    }
    void close(VexalEntityHelper& helper) { helper.endEdit(&host, END_EDIT_REMOVEUI, nullptr); }
    void TearDown() override {
        if (keyValuePanelWnd) close(trigger);
    }
    void commitCell(int id, const std::string& text) {
        typeInto(page, id, text);
        pressEnter(page, id);
    }

    PageTestHost host;
    VexalEntityHelper trigger{"trigger_once"};
    HWND page = nullptr;
};

TEST_F(KeyValuePage, AFreshPageIsEmptyAndStoresNothingUntilACommit) {
    open(trigger);
    EXPECT_EQ(shownCells(page), cells({}));
    EXPECT_EQ(std::string(trigger.props.keyValueText, 128), std::string(128, '\0'));
    commitCell(1072, "");
    EXPECT_EQ(std::string(trigger.props.keyValueText), bars(16)) << "every cell empty";
}

TEST_F(KeyValuePage, ACommitInAnyCellStoresAllSixteenQuietly) {
    open(trigger);
    commitCell(1072, "target");
    EXPECT_EQ(std::string(trigger.props.keyValueText), "target|" + bars(15));
    commitCell(1080, "t1");
    EXPECT_EQ(std::string(trigger.props.keyValueText), "target|t1|" + bars(14));
    EXPECT_EQ(host.redraws, 0);
}

TEST_F(KeyValuePage, ACommitInRowEightRightStoresTheRowsAboveAsTheyStand) {
    setText(trigger, "a|1|b|2|c|3|d|4|e|5|f|6|g|7|h|8|");
    open(trigger);
    commitCell(1085, "eight");
    EXPECT_EQ(std::string(trigger.props.keyValueText), "a|1|b|2|c|3|d|4|e|5|f|6|g|7|h|eight|");
}

TEST_F(KeyValuePage, PiecesLandInScreenOrderWithRowsSixToEightOnTheirOddIds) {
    setText(trigger, "p1|p2|p3|p4|p5|p6|p7|p8|p9|p10|p11|p12|p13|p14|p15|p16|");
    open(trigger);
    for (int piece = 0; piece < 16; ++piece)
        EXPECT_EQ(controlText(page, cellOfPiece[piece]), "p" + std::to_string(piece + 1));
    EXPECT_EQ(controlText(page, IDC_KEY_ROW6), "p11");
    EXPECT_EQ(controlText(page, IDC_VALUE_ROW6), "p12");
    EXPECT_EQ(controlText(page, IDC_KEY_ROW8), "p15");
    EXPECT_EQ(controlText(page, IDC_VALUE_ROW8), "p16");
}

struct FillCase {
    const char* text;
    std::vector<std::string> shown;
};

TEST_F(KeyValuePage, OnlyPiecesEndedByABarAreShown) {
    const std::vector<FillCase> cases = {
        {"a|b|c", {"a", "b"}},
        {"a|b", {"a"}},
        {"a|b|", {"a", "b"}},
        {"", {}},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.text);
        setText(trigger, c.text);
        open(trigger);
        EXPECT_EQ(shownCells(page), cells(c.shown));
        close(trigger);
    }
}

TEST_F(KeyValuePage, ABarTypedInACellSplitsItAtTheNextFill) {
    open(trigger);
    typeInto(page, 1072, "x|y");
    commitCell(1080, "z");
    EXPECT_EQ(std::string(trigger.props.keyValueText), "x|y|z|" + bars(14));
    close(trigger);
    open(trigger);
    EXPECT_EQ(shownCells(page), cells({"x", "y", "z"}));
}

TEST_F(KeyValuePage, CellsBeyondTheTextsRoomAreLeftOutWholeAndEmptiedOnThePage) {
    open(trigger);
    const std::string key(50, 'k'), value(50, 'v');
    typeInto(page, 1072, key);
    typeInto(page, 1080, value);
    typeInto(page, 1073, "classname");
    commitCell(1081, "more");
    // 51 + 51 + 10 + 5 characters leave room for the bars of ten of the twelve empty cells.
    EXPECT_EQ(std::string(trigger.props.keyValueText),
              key + "|" + value + "|classname|more|" + bars(10));
    commitCell(1074, std::string(20, 'x'));
    const std::string stored = trigger.props.keyValueText;
    EXPECT_EQ(stored, key + "|" + value + "|classname|more|");
    EXPECT_EQ(shownCells(page), cells({key, value, "classname", "more"}));
    EXPECT_LT(strnlen(trigger.props.keyValueText, 128), 128u);
    close(trigger);
    open(trigger);
    EXPECT_EQ(shownCells(page), cells({key, value, "classname", "more"}));
}

TEST_F(KeyValuePage, ALoadedPieceLongerThanACellShowsItsFirst79Characters) {
    setText(trigger, std::string(100, 'q') + "|next|");
    open(trigger);
    EXPECT_EQ(shownCells(page), cells({std::string(79, 'q'), "next"}));
}

TEST_F(KeyValuePage, AKeptPageRefilledForAnotherHelperNeverCarriesTheFirstHelpersPairs) {
    setText(trigger, "target|t1|sounds|2|");
    open(trigger);
    trigger.endEdit(&host, 0, nullptr);
    const std::string first = trigger.props.keyValueText;

    VexalEntityHelper fresh("trigger_multiple");
    fresh.beginEdit(&host, 0, nullptr);
    EXPECT_EQ(host.page(IDD_KEY_VALUE), page);
    EXPECT_EQ(shownCells(page), cells({}));
    fresh.endEdit(&host, 0, nullptr);
    EXPECT_EQ(std::string(fresh.props.keyValueText), bars(16));

    VexalEntityHelper full("info_null");
    setText(full, "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|");
    full.beginEdit(&host, 0, nullptr);
    EXPECT_EQ(shownCells(page), cells({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
                                       "12", "13", "14", "15", "16"}));
    commitCell(1085, "sixteen");
    full.endEdit(&host, 0, nullptr);
    EXPECT_EQ(std::string(full.props.keyValueText), "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|sixteen|");
    EXPECT_EQ(std::string(trigger.props.keyValueText), first);
    trigger.beginEdit(&host, 0, nullptr);
    EXPECT_EQ(shownCells(page), cells({"target", "t1", "sounds", "2"}));
}

TEST_F(KeyValuePage, AnUnboundPageChangesNothing) {
    open(trigger);
    trigger.endEdit(&host, 0, nullptr);
    const std::string stored(trigger.props.keyValueText, 128);
    commitCell(1072, "late");
    EXPECT_EQ(std::string(trigger.props.keyValueText, 128), stored);
    trigger.beginEdit(&host, 0, nullptr);
}

}  // namespace
