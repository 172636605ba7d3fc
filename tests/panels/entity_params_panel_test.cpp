// "Door Params" on real dialogs: a door helper is edited through the page lifecycle and the
// page is driven with clicks, typing, arrows and list picks.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "entity/entity_helper.h"
#include "page_test_host.h"
#include "persistence/recording_streams.h"
#include "panels/panels.h"
#include "resource.h"
#include "user_input.h"
#include "vexsdk/custcontrols.h"

namespace {

std::vector<unsigned char> recordBytes(const VexalEntityHelper& helper) {
    std::vector<unsigned char> bytes(sizeof helper.props);
    std::memcpy(bytes.data(), &helper.props, sizeof helper.props);
    return bytes;
}

int32_t wordAt(const std::vector<unsigned char>& record, size_t offset) {
    int32_t word;
    std::memcpy(&word, record.data() + offset, sizeof word);
    return word;
}

int spinnerValue(HWND page, int spinnerId) {
    ISpinnerControl* spinner = GetISpinner(GetDlgItem(page, spinnerId));
    EXPECT_NE(spinner, nullptr);
    if (!spinner) return INT32_MIN;
    const int value = spinner->getValueInt();
    ReleaseISpinner(spinner);
    return value;
}

LRESULT selectedSound(HWND page) {
    return SendDlgItemMessageA(page, IDC_SOUNDS, LB_GETCURSEL, 0, 0);
}

struct SpinnerCase {
    int spinnerId;
    int lower, upper;
    size_t offset;
    int32_t EntityProps::*field;
};

const SpinnerCase spinners[] = {
    {IDC_ANGLE_SPINNER, -2, 359, 0, &EntityProps::angle},
    {IDC_SPEED_SPINNER, 1, 999, 296, &EntityProps::speed},
    {IDC_WAIT_SPINNER, -1, 99, 384, &EntityProps::wait},
    {IDC_LIP_SPINNER, 0, 999, 76, &EntityProps::lip},
    {IDC_HEALTH_SPINNER, 0, 9999, 28, &EntityProps::health},
    {IDC_DAMAGE_SPINNER, 0, 9999, 8, &EntityProps::damage},
};

struct CheckCase {
    int id;
    const char* caption;
    size_t offset;
};

const CheckCase checkBoxes[] = {
    {IDC_TOGGLE, "Toggle", 380},         {IDC_START_OPEN, "Start Open", 304},
    {IDC_DONT_LINK, "Dont Link", 12},    {IDC_GOLD_KEY, "Gold Key", 24},
    {IDC_SILVER_KEY, "Silver Key", 284},
};

class DoorPage : public testing::Test {
protected:
    void open(VexalEntityHelper& helper) {
        helper.beginEdit(&host, 0, nullptr);
        page = host.page(IDD_ENTITY_PARAMS);
        ASSERT_NE(page, nullptr);
        ASSERT_EQ(page, classPanelWnd);
    }
    void close(VexalEntityHelper& helper) { helper.endEdit(&host, END_EDIT_REMOVEUI, nullptr); }
    void TearDown() override {
        if (classPanelWnd || keyValuePanelWnd || helperPanelWnd) close(door);
    }

    PageTestHost host;
    VexalEntityHelper door{"func_door"};
    HWND page = nullptr;
};

TEST_F(DoorPage, OpeningForANewDoorShowsZerosSilentAndClearBoxesAndStoresNothing) {
    open(door);
    for (const SpinnerCase& s : spinners) {
        EXPECT_EQ(spinnerValue(page, s.spinnerId), 0) << s.spinnerId;
        EXPECT_EQ(controlText(page, s.spinnerId - 1), "0") << "linked whole-number edit";
    }
    EXPECT_EQ(selectedSound(page), 0);
    const char* lines[] = {"silent", "stone", "base", "stone chain", "screech metal"};
    ASSERT_EQ(SendDlgItemMessageA(page, IDC_SOUNDS, LB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        char text[32] = {};
        SendDlgItemMessageA(page, IDC_SOUNDS, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, lines[i]);
    }
    for (const CheckCase& c : checkBoxes) EXPECT_EQ(IsDlgButtonChecked(page, c.id), 0u);
    EXPECT_EQ(controlText(page, IDC_TARGET_NAME), "");
    EXPECT_EQ(controlText(page, IDC_MESSAGE), "");
    EXPECT_EQ(recordBytes(door), std::vector<unsigned char>(516, 0)) << "speed stays 0";
    EXPECT_EQ(host.redraws, 0);
}

TEST_F(DoorPage, EachCheckBoxStoresOneOrZeroInItsOwnWordAndAnnounces) {
    open(door);
    for (const CheckCase& c : checkBoxes) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(controlText(page, c.id), c.caption);
        const std::vector<unsigned char> before = recordBytes(door);
        const int redraws = host.redraws;
        clickButton(page, c.id);
        std::vector<unsigned char> after = recordBytes(door);
        EXPECT_EQ(wordAt(after, c.offset), 1);
        EXPECT_EQ(host.redraws, redraws + 1);
        std::memcpy(after.data() + c.offset, before.data() + c.offset, 4);
        EXPECT_EQ(after, before) << "no other byte changes";
        clickButton(page, c.id);
        EXPECT_EQ(wordAt(recordBytes(door), c.offset), 0);
    }
}

TEST_F(DoorPage, TickingGoldKeyPutsTheWordOneAtOffset24OfTheSavedRecord) {
    open(door);
    clickButton(page, IDC_GOLD_KEY);
    EXPECT_EQ(door.props.goldKey, 1);
    RecordingSave save;
    ASSERT_EQ(door.Save(&save), IO_OK);
    const RecordedChunk* record = nullptr;
    for (const RecordedChunk& chunk : save.chunks)
        if (chunk.id == CHUNK_PROPS) record = &chunk;
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(record->bytes.size(), 516u);
    std::vector<unsigned char> expected(516, 0);
    expected[24] = 1;
    EXPECT_EQ(record->bytes, expected);
}

TEST_F(DoorPage, SpinnerArrowsStoreAndAnnounceWithinTheLimitsWithoutClampingTheStoredValue) {
    for (const SpinnerCase& s : spinners) door.props.*s.field = s.upper;
    door.props.speed = 0;  // a new door's speed, below the spinner's minimum
    open(door);
    EXPECT_EQ(door.props.speed, 0);
    EXPECT_EQ(spinnerValue(page, IDC_SPEED_SPINNER), 0);
    for (const SpinnerCase& s : spinners) {
        SCOPED_TRACE(testing::Message() << "spinner " << s.spinnerId);
        if (s.spinnerId == IDC_SPEED_SPINNER) continue;
        const int redraws = host.redraws;
        clickSpinnerArrow(page, s.spinnerId, true);
        EXPECT_EQ(door.props.*s.field, s.upper) << "the arrow stops at the upper limit";
        clickSpinnerArrow(page, s.spinnerId, false);
        EXPECT_EQ(wordAt(recordBytes(door), s.offset), s.upper - 1);
        EXPECT_EQ(host.redraws, redraws + 1);
        door.props.*s.field = s.lower;
        refreshEntityParamsPanel(page, &door);
        clickSpinnerArrow(page, s.spinnerId, false);
        EXPECT_EQ(door.props.*s.field, s.lower) << "the arrow stops at the lower limit";
    }
    clickSpinnerArrow(page, IDC_SPEED_SPINNER, true);
    EXPECT_EQ(door.props.speed, 1) << "the first step from 0 lands inside the limits";
}

TEST_F(DoorPage, DraggingASpinnerMovesTheValueByATenthPerPixel) {
    door.props.health = 100;
    open(door);
    dragSpinner(page, IDC_HEALTH_SPINNER, 30);
    EXPECT_EQ(door.props.health, 103);
    EXPECT_EQ(controlText(page, IDC_HEALTH_EDIT), "103");
}

TEST_F(DoorPage, TypingIntoASpinnersEditStoresOnlyThroughTheSpinnersChange) {
    open(door);
    typeInto(page, IDC_ANGLE_EDIT, "45");
    EXPECT_EQ(door.props.angle, 0);
    pressEnter(page, IDC_ANGLE_EDIT);
    EXPECT_EQ(door.props.angle, 45);
    EXPECT_EQ(host.redraws, 1) << "one announcement: the spinner's, none for the commit";

    typeInto(page, IDC_ANGLE_EDIT, "north");
    pressEnter(page, IDC_ANGLE_EDIT);
    EXPECT_EQ(door.props.angle, 45) << "a commit the spinner refuses stores nothing";
    EXPECT_EQ(host.redraws, 1);
    EXPECT_EQ(controlText(page, IDC_ANGLE_EDIT), "45");
}

TEST_F(DoorPage, CommittedTextsStoreQuietlyCutToTheirFields) {
    open(door);
    const std::string forty = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
    typeInto(page, IDC_TARGET_NAME, forty);
    pressEnter(page, IDC_TARGET_NAME);
    EXPECT_EQ(std::string(door.props.targetName), forty.substr(0, 31));
    const std::string hundred(100, 'm');
    typeInto(page, IDC_MESSAGE, hundred);
    pressEnter(page, IDC_MESSAGE);
    EXPECT_EQ(std::string(door.props.message), hundred.substr(0, 79));
    EXPECT_EQ(host.redraws, 0);
}

// The pages are kept, not deleted, so that no focus change on the way out commits the text.
TEST_F(DoorPage, UncommittedTextsAreKeptByTheEndOfEditReadBack) {
    struct TextCase {
        int editId;
        const char* (*field)(const EntityProps&);
    };
    const TextCase cases[] = {
        {IDC_TARGET_NAME, [](const EntityProps& p) -> const char* { return p.targetName; }},
        {IDC_MESSAGE, [](const EntityProps& p) -> const char* { return p.message; }},
    };
    open(door);
    for (const TextCase& c : cases) {
        typeInto(page, c.editId, std::string(40, 'u'));
        EXPECT_STREQ(c.field(door.props), "") << "typing alone stores nothing";
        door.endEdit(&host, 0, nullptr);
        const size_t kept = c.editId == IDC_TARGET_NAME ? 31 : 40;
        EXPECT_EQ(std::string(c.field(door.props)), std::string(kept, 'u'));
        door.beginEdit(&host, 0, nullptr);
    }
}

TEST_F(DoorPage, TheEndOfEditReadBackStoresWhatTheSpinnersHold) {
    door.props.angle = 500;  // loaded, outside the limits: kept until the read-back
    door.props.speed = 0;
    open(door);
    door.endEdit(&host, 0, nullptr);
    EXPECT_EQ(door.props.angle, 500);
    EXPECT_EQ(door.props.speed, 0);
    door.beginEdit(&host, 0, nullptr);
    clickSpinnerArrow(page, IDC_LIP_SPINNER, true);
    door.props.lip = 77;  // changed behind the page's back: the read-back restores the page's value
    close(door);
    EXPECT_EQ(door.props.lip, 1);
}

TEST_F(DoorPage, TheSoundListStoresItsSelectionAtEveryNotification) {
    door.props.sounds = 3;
    open(door);
    EXPECT_EQ(selectedSound(page), 3);
    focusControl(page, IDC_SOUNDS);
    EXPECT_EQ(door.props.sounds, 3);
    EXPECT_GE(host.redraws, 1) << "focusing the list alone stores and announces";
    pickListLine(page, IDC_SOUNDS, 1);
    EXPECT_EQ(door.props.sounds, 1);
    EXPECT_EQ(selectedSound(page), 1);
}

TEST_F(DoorPage, AStoredSoundOutsideTheListSelectsNothingAndStaysUntilTheListNotifies) {
    for (int32_t stored : {7, -1, 5}) {
        SCOPED_TRACE(stored);
        door.props.sounds = stored;
        open(door);
        EXPECT_EQ(selectedSound(page), LB_ERR);
        EXPECT_EQ(door.props.sounds, stored);
        focusControl(page, IDC_SOUNDS);
        EXPECT_EQ(door.props.sounds, -1);
        close(door);
    }
    door.props.sounds = 1;
    open(door);
    door.endEdit(&host, 0, nullptr);
    VexalEntityHelper odd("func_door");
    odd.props.sounds = 7;
    odd.beginEdit(&host, 0, nullptr);
    EXPECT_EQ(selectedSound(page), LB_ERR) << "a kept page drops the previous door's line";
    odd.endEdit(&host, END_EDIT_REMOVEUI, nullptr);
    EXPECT_EQ(odd.props.sounds, 7);
}

TEST_F(DoorPage, AKeptPageMovesFromAStoneDoorToABaseDoorAndLeavesTheFirstAlone) {
    door.props.sounds = 1;
    door.props.angle = 90;
    door.props.toggle = 1;
    std::strcpy(door.props.targetName, "first");
    open(door);
    door.endEdit(&host, 0, nullptr);
    const std::vector<unsigned char> first = recordBytes(door);

    VexalEntityHelper second("func_door");
    second.props.sounds = 2;
    second.props.angle = 180;
    second.props.speed = 40;
    second.props.wait = 3;
    second.props.lip = 8;
    second.props.health = 50;
    second.props.damage = 5;
    second.props.goldKey = 1;
    std::strcpy(second.props.targetName, "second");
    std::strcpy(second.props.message, "Locked");
    second.beginEdit(&host, 0, nullptr);
    EXPECT_EQ(host.page(IDD_ENTITY_PARAMS), page) << "the kept page is reused";
    EXPECT_EQ(selectedSound(page), 2);
    const int shown[] = {180, 40, 3, 8, 50, 5};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(spinnerValue(page, spinners[i].spinnerId), shown[i]);
    EXPECT_EQ(controlText(page, IDC_TARGET_NAME), "second");
    EXPECT_EQ(controlText(page, IDC_MESSAGE), "Locked");
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_TOGGLE), 0u);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_GOLD_KEY), 1u);

    pickListLine(page, IDC_SOUNDS, 3);
    clickButton(page, IDC_SILVER_KEY);
    EXPECT_EQ(second.props.sounds, 3);
    EXPECT_EQ(second.props.silverKey, 1);
    second.endEdit(&host, END_EDIT_REMOVEUI, nullptr);
    EXPECT_EQ(recordBytes(door), first);
    EXPECT_EQ(std::string(second.props.targetName), "second");
}

TEST_F(DoorPage, AnUnboundPageChangesNothing) {
    open(door);
    door.endEdit(&host, 0, nullptr);
    const std::vector<unsigned char> before = recordBytes(door);
    clickButton(page, IDC_TOGGLE);
    clickSpinnerArrow(page, IDC_ANGLE_SPINNER, true);
    typeInto(page, IDC_TARGET_NAME, "late");
    pressEnter(page, IDC_TARGET_NAME);
    pickListLine(page, IDC_SOUNDS, 4);
    EXPECT_EQ(recordBytes(door), before);
    EXPECT_EQ(host.redraws, 0);
    door.beginEdit(&host, 0, nullptr);
}

TEST_F(DoorPage, LoadedTextsWithoutATerminatorAreShownUpToTheirArraysEnd) {
    std::memset(door.props.targetName, 't', sizeof door.props.targetName);
    door.props.toggle = 0x41414141;  // the bytes right after the name
    std::memset(door.props.message, 'm', sizeof door.props.message);
    std::memset(door.props.reserved252, 'r', sizeof door.props.reserved252);
    open(door);
    EXPECT_EQ(controlText(page, IDC_TARGET_NAME), std::string(32, 't'));
    EXPECT_EQ(controlText(page, IDC_MESSAGE), std::string(80, 'm'));
    close(door);
    EXPECT_EQ(std::string(door.props.targetName), std::string(31, 't'));
    EXPECT_EQ(door.props.reserved252[0], 'r');
}

}  // namespace
