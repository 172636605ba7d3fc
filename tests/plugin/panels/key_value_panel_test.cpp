// "Map Parameters" on a real command panel: cells typed and committed as a user does,
// texts of helpers shown in the cells, kept pages refilled for the next helper.
#include <cstring>
#include <string>
#include <vector>
#include "class_page_input.h"
#include "panel/panel_controls.h"
#include "panel_test_fixture.h"

namespace {

// Piece n of the text lands in this cell: screen order, whatever the ids.
const int cellOfPiece[16] = {1072, 1080, 1073, 1081, 1074, 1082, 1075, 1083,
                             1076, 1084, 1079, 1087, 1078, 1086, 1077, 1085};

std::vector<std::string> cells(std::vector<std::string> first) {
    first.resize(16);
    return first;
}

void setText(VexalEntityHelper* helper, const std::string& text) {
    std::memset(helper->props.keyValueText, 0, sizeof helper->props.keyValueText);
    std::memcpy(helper->props.keyValueText, text.data(), text.size());
}

std::string storedText(const VexalEntityHelper* helper) {
    return std::string(helper->props.keyValueText,
                       strnlen(helper->props.keyValueText, sizeof helper->props.keyValueText));
}

std::string bars(int n) { return std::string(n, '|'); }

class KeyValuePage : public PanelTest {
protected:
    void open(VexalEntityHelper* helper) {
        begin(helper);
        ASSERT_NE(keyValuePanelWnd, nullptr);
    }
    HWND cell(int id) { return control(keyValuePanelWnd, id); }
    void commit(int id, const std::string& text) { typeIntoField(cell(id), text); }
    std::vector<std::string> shownCells() {
        std::vector<std::string> shown;
        for (int id : cellOfPiece) shown.push_back(controlValue(cell(id)));
        return shown;
    }
};

TEST_F(KeyValuePage, AFreshPageIsEmptyAndStoresNothingUntilACommit) {
    VexalEntityHelper* trigger = make("trigger_once");
    open(trigger);
    EXPECT_EQ(shownCells(), cells({}));
    EXPECT_EQ(std::string(trigger->props.keyValueText, 128), std::string(128, '\0'));
    commit(1072, "");
    EXPECT_EQ(storedText(trigger), bars(16)) << "every cell empty";
}

TEST_F(KeyValuePage, ACommitInAnyCellStoresAllSixteenQuietly) {
    VexalEntityHelper* trigger = make("trigger_once");
    open(trigger);
    startListening();
    commit(1072, "target");
    EXPECT_EQ(storedText(trigger), "target|" + bars(15));
    commit(1080, "t1");
    EXPECT_EQ(storedText(trigger), "target|t1|" + bars(14));
    EXPECT_TRUE(dependent.heard.empty());
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(KeyValuePage, ACommitInRowEightRightStoresTheRowsAboveAsTheyStand) {
    VexalEntityHelper* trigger = make("trigger_once");
    setText(trigger, "a|1|b|2|c|3|d|4|e|5|f|6|g|7|h|8|");
    open(trigger);
    commit(1085, "eight");
    EXPECT_EQ(storedText(trigger), "a|1|b|2|c|3|d|4|e|5|f|6|g|7|h|eight|");
}

TEST_F(KeyValuePage, PiecesLandInScreenOrderWithRowsSixToEightOnTheirOddIds) {
    VexalEntityHelper* trigger = make("trigger_once");
    setText(trigger, "p1|p2|p3|p4|p5|p6|p7|p8|p9|p10|p11|p12|p13|p14|p15|p16|");
    open(trigger);
    for (int piece = 0; piece < 16; ++piece)
        EXPECT_EQ(controlValue(cell(cellOfPiece[piece])), "p" + std::to_string(piece + 1));
    // On screen, row 6 sits above row 7 and row 8 at the bottom, whatever the ids.
    auto top = [&](int id) {
        RECT r;
        GetWindowRect(cell(id), &r);
        return r.top;
    };
    EXPECT_LT(top(IDC_KEY_ROW5), top(IDC_KEY_ROW6));
    EXPECT_LT(top(IDC_KEY_ROW6), top(IDC_KEY_ROW7));
    EXPECT_LT(top(IDC_KEY_ROW7), top(IDC_KEY_ROW8));
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
    VexalEntityHelper* trigger = make("trigger_once");
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.text);
        setText(trigger, c.text);
        open(trigger);
        EXPECT_EQ(shownCells(), cells(c.shown));
        end(trigger, END_EDIT_REMOVEUI);
    }
}

TEST_F(KeyValuePage, ABarTypedInACellSplitsItAtTheNextFill) {
    VexalEntityHelper* trigger = make("trigger_once");
    open(trigger);
    typeWithoutCommit(cell(1072), "x|y");
    commit(1080, "z");
    EXPECT_EQ(storedText(trigger), "x|y|z|" + bars(14));
    end(trigger, END_EDIT_REMOVEUI);
    open(trigger);
    EXPECT_EQ(shownCells(), cells({"x", "y", "z"}));
}

TEST_F(KeyValuePage, CellsBeyondTheTextsRoomAreLeftOutWholeAndEmptiedOnThePage) {
    VexalEntityHelper* trigger = make("trigger_once");
    open(trigger);
    const std::string key(50, 'k'), value(50, 'v');
    typeWithoutCommit(cell(1072), key);
    typeWithoutCommit(cell(1080), value);
    typeWithoutCommit(cell(1073), "classname");
    commit(1081, "more");
    // 51 + 51 + 10 + 5 characters leave room for the bars of ten of the twelve empty cells.
    EXPECT_EQ(storedText(trigger), key + "|" + value + "|classname|more|" + bars(10));
    commit(1074, std::string(20, 'x'));
    EXPECT_EQ(storedText(trigger), key + "|" + value + "|classname|more|");
    EXPECT_EQ(shownCells(), cells({key, value, "classname", "more"}));
    end(trigger, END_EDIT_REMOVEUI);
    open(trigger);
    EXPECT_EQ(shownCells(), cells({key, value, "classname", "more"}));
}

TEST_F(KeyValuePage, AKeptPageRefilledForAnotherHelperNeverCarriesTheFirstHelpersPairs) {
    VexalEntityHelper* trigger = make("trigger_once");
    setText(trigger, "target|t1|sounds|2|");
    open(trigger);
    HWND page = keyValuePanelWnd;

    VexalEntityHelper* fresh = make("trigger_multiple");
    moveOn(trigger, fresh);
    const std::string first = storedText(trigger);
    EXPECT_EQ(keyValuePanelWnd, page);
    EXPECT_EQ(shownCells(), cells({}));

    VexalEntityHelper* full = make("info_null");
    setText(full, "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|");
    moveOn(fresh, full);
    EXPECT_EQ(storedText(fresh), "") << "looked at, not edited";
    EXPECT_EQ(shownCells(), cells({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",
                                   "13", "14", "15", "16"}));
    commit(1085, "sixteen");
    moveOn(full, trigger);
    EXPECT_EQ(storedText(full), "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|sixteen|");
    EXPECT_EQ(storedText(trigger), first);
    EXPECT_EQ(shownCells(), cells({"target", "t1", "sounds", "2"}));
}

// Texts another tool wrote: shown as well as the cells allow, and kept as they are until
// the user types into the page.
TEST_F(KeyValuePage, AnUntouchedPageStoresNothingATypedOneStoresAllCells) {
    const std::string longPiece(100, 'p');
    const std::string loaded[] = {"no bar at all", longPiece + "|v|", std::string(127, 'x'),
                                  std::string(127, '|')};
    for (const std::string& text : loaded) {
        VexalEntityHelper* trigger = make("trigger_once");
        setText(trigger, text);
        const std::string before(trigger->props.keyValueText, 128);
        open(trigger);
        end(trigger, 0);
        begin(trigger);
        end(trigger, END_EDIT_REMOVEUI);
        EXPECT_EQ(std::string(trigger->props.keyValueText, 128), before) << text;
    }
    VexalEntityHelper* typed = make("trigger_once");
    setText(typed, "no bar at all");
    open(typed);
    typeWithoutCommit(cell(1080), "v1");
    end(typed, END_EDIT_REMOVEUI);
    EXPECT_EQ(storedText(typed), "|v1|" + bars(14));
}

// Bytes above 0x7F (0x98 among them) are shown and painted with the prefix's fonts, headless too.
TEST_F(KeyValuePage, CellsShowAndPaintBytesAboveSeventyF) {
    std::string high;
    for (int byte = 0x80; byte <= 0xF9; ++byte) high += static_cast<char>(byte);  // as many as fit
    VexalEntityHelper* trigger = make("trigger_once");
    setText(trigger, high.substr(0, 61) + "|" + high.substr(61) + "|");
    open(trigger);
    RedrawWindow(GetParent(keyValuePanelWnd), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(shownCells(), cells({high.substr(0, 61), high.substr(61)}));
}

TEST_F(KeyValuePage, AnUnboundPageChangesNothing) {
    VexalEntityHelper* trigger = make("trigger_once");
    open(trigger);
    end(trigger, 0);
    const std::string stored(trigger->props.keyValueText, 128);
    commit(1072, "late");
    EXPECT_EQ(std::string(trigger->props.keyValueText, 128), stored);
    begin(trigger);
}

}  // namespace
