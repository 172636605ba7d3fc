// "Door Params" on a real command panel: door helpers edited through the page lifecycle,
// the page clicked, typed into and stepped as a user does.
#include <cstring>
#include <string>
#include <vector>
#include "class_page_input.h"
#include "panel/panel_controls.h"
#include "panel_test_fixture.h"
#include "recording_streams.h"
#include "vexsdk/custcontrols.h"

namespace {

std::vector<unsigned char> recordBytes(const VexalEntityHelper* helper) {
    std::vector<unsigned char> bytes(sizeof helper->props);
    std::memcpy(bytes.data(), &helper->props, sizeof helper->props);
    return bytes;
}

int32_t wordAt(const std::vector<unsigned char>& record, size_t offset) {
    int32_t word;
    std::memcpy(&word, record.data() + offset, sizeof word);
    return word;
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

class DoorPage : public PanelTest {
protected:
    // Begins editing helper; the door page is the class page shown.
    void open(VexalEntityHelper* helper) {
        begin(helper);
        ASSERT_NE(classPanelWnd, nullptr);
        ASSERT_EQ(classPanelId, IDD_ENTITY_PARAMS);
    }
    HWND item(int id) { return control(classPanelWnd, id); }
    std::string shown(int id) { return controlValue(item(id)); }
    int spinnerValue(int spinnerId) {
        ISpinnerControl* spinner = GetISpinner(item(spinnerId));
        EXPECT_NE(spinner, nullptr);
        if (!spinner) return INT32_MIN;
        const int value = spinner->getValueInt();
        ReleaseISpinner(spinner);
        return value;
    }
    LRESULT selectedSound() { return SendMessageA(item(IDC_SOUNDS), LB_GETCURSEL, 0, 0); }
    size_t announcements() const { return dependent.heard.size(); }
};

TEST_F(DoorPage, OpeningForANewDoorShowsZerosSilentAndClearBoxesAndStoresNothing) {
    VexalEntityHelper* door = make("func_door");
    startListening();
    open(door);
    for (const SpinnerCase& s : spinners) {
        EXPECT_EQ(spinnerValue(s.spinnerId), 0) << s.spinnerId;
        EXPECT_EQ(shown(s.spinnerId - 1), "0") << "linked whole-number edit of " << s.spinnerId;
    }
    const char* lines[] = {"silent", "stone", "base", "stone chain", "screech metal"};
    ASSERT_EQ(SendMessageA(item(IDC_SOUNDS), LB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        char text[32] = {};
        SendMessageA(item(IDC_SOUNDS), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, lines[i]);
    }
    EXPECT_EQ(shown(IDC_SOUNDS), "silent");
    for (const CheckCase& c : checkBoxes) EXPECT_EQ(shown(c.id), "0") << c.caption;
    EXPECT_EQ(shown(IDC_TARGET_NAME), "");
    EXPECT_EQ(shown(IDC_MESSAGE), "");
    EXPECT_EQ(recordBytes(door), std::vector<unsigned char>(516, 0)) << "speed stays 0";
    EXPECT_EQ(announcements(), 0u);
    EXPECT_TRUE(redraws().empty());
}

TEST_F(DoorPage, EachCheckBoxStoresOneOrZeroInItsOwnWordAndAnnounces) {
    VexalEntityHelper* door = make("func_door");
    open(door);
    for (const CheckCase& c : checkBoxes) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(controlValue(findLabelledControl(classPanelWnd, c.caption)), "0");
        const std::vector<unsigned char> before = recordBytes(door);
        startListening();
        clickButton(item(c.id));
        std::vector<unsigned char> after = recordBytes(door);
        EXPECT_EQ(wordAt(after, c.offset), 1);
        EXPECT_EQ(announcements(), 1u);
        EXPECT_EQ(redraws(), std::vector<std::string>{"redraw 4800 8 null"});
        std::memcpy(after.data() + c.offset, before.data() + c.offset, 4);
        EXPECT_EQ(after, before) << "no other byte changes";
        clickButton(item(c.id));
        EXPECT_EQ(wordAt(recordBytes(door), c.offset), 0);
    }
}

TEST_F(DoorPage, TickingGoldKeyPutsTheWordOneAtOffset24OfTheSavedRecord) {
    VexalEntityHelper* door = make("func_door");
    open(door);
    clickButton(findLabelledControl(classPanelWnd, "Gold Key"));
    EXPECT_EQ(door->props.goldKey, 1);
    RecordingSave save;
    ASSERT_EQ(door->Save(&save), IO_OK);
    const RecordedChunk* record = nullptr;
    for (const RecordedChunk& chunk : save.chunks)
        if (chunk.id == CHUNK_PROPS) record = &chunk;
    ASSERT_NE(record, nullptr);
    std::vector<unsigned char> expected(516, 0);
    expected[24] = 1;
    EXPECT_EQ(record->bytes, expected);
}

TEST_F(DoorPage, SpinnerArrowsStoreAndAnnounceWithinTheLimitsWithoutClampingTheStoredValue) {
    VexalEntityHelper* door = make("func_door");
    for (const SpinnerCase& s : spinners) door->props.*s.field = s.upper;
    door->props.speed = 0;  // a new door's speed, below the spinner's minimum
    open(door);
    EXPECT_EQ(door->props.speed, 0);
    EXPECT_EQ(spinnerValue(IDC_SPEED_SPINNER), 0);
    for (const SpinnerCase& s : spinners) {
        SCOPED_TRACE(testing::Message() << "spinner " << s.spinnerId);
        if (s.spinnerId == IDC_SPEED_SPINNER) continue;
        startListening();
        clickSpinnerArrow(item(s.spinnerId), true);
        EXPECT_EQ(door->props.*s.field, s.upper) << "the arrow stops at the upper limit";
        clickSpinnerArrow(item(s.spinnerId), false);
        EXPECT_EQ(wordAt(recordBytes(door), s.offset), s.upper - 1);
        EXPECT_EQ(announcements(), 1u);
        EXPECT_EQ(redraws().size(), 1u);
        end(door, 0);
        door->props.*s.field = s.lower;
        begin(door);
        clickSpinnerArrow(item(s.spinnerId), false);
        EXPECT_EQ(door->props.*s.field, s.lower) << "the arrow stops at the lower limit";
    }
    clickSpinnerArrow(item(IDC_SPEED_SPINNER), true);
    EXPECT_EQ(door->props.speed, 1) << "the first step from 0 lands inside the limits";
}

TEST_F(DoorPage, DraggingASpinnerMovesTheValueByATenthPerPixel) {
    VexalEntityHelper* door = make("func_door");
    door->props.health = 100;
    open(door);
    dragSpinnerUp(item(IDC_HEALTH_SPINNER), 30);
    EXPECT_EQ(door->props.health, 103);
    EXPECT_EQ(shown(IDC_HEALTH_EDIT), "103");
}

TEST_F(DoorPage, TypingIntoASpinnersEditStoresOnlyThroughTheSpinnersChange) {
    VexalEntityHelper* door = make("func_door");
    open(door);
    startListening();
    typeIntoField(findLabelledControl(classPanelWnd, "Angle"), "45");
    EXPECT_EQ(door->props.angle, 45);
    EXPECT_EQ(announcements(), 1u) << "the spinner's change only; the commit adds none";

    typeIntoField(item(IDC_ANGLE_EDIT), "north");
    EXPECT_EQ(door->props.angle, 45) << "a commit the spinner refuses stores nothing";
    EXPECT_EQ(announcements(), 1u);
    EXPECT_EQ(shown(IDC_ANGLE_EDIT), "45");
}

TEST_F(DoorPage, CommittedTextsStoreQuietlyCutToTheirFields) {
    VexalEntityHelper* door = make("func_door");
    open(door);
    startListening();
    const std::string forty = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
    typeIntoField(findLabelledControl(classPanelWnd, "Target Name"), forty);
    EXPECT_EQ(std::string(door->props.targetName), forty.substr(0, 31));
    const std::string hundred(100, 'm');
    typeIntoField(findLabelledControl(classPanelWnd, "Message"), hundred);
    EXPECT_EQ(std::string(door->props.message), hundred.substr(0, 79));
    EXPECT_EQ(announcements(), 0u);
    EXPECT_TRUE(redraws().empty());
}

// The pages are kept, not deleted, so that no focus change on the way out commits the text.
TEST_F(DoorPage, UncommittedTextsAreKeptByTheEndOfEditReadBack) {
    struct TextCase {
        int editId;
        const char* (*field)(const EntityProps&);
        size_t kept;
    };
    const TextCase cases[] = {
        {IDC_TARGET_NAME, [](const EntityProps& p) -> const char* { return p.targetName; }, 31},
        {IDC_MESSAGE, [](const EntityProps& p) -> const char* { return p.message; }, 40},
    };
    VexalEntityHelper* door = make("func_door");
    open(door);
    for (const TextCase& c : cases) {
        typeWithoutCommit(item(c.editId), std::string(40, 'u'));
        EXPECT_STREQ(c.field(door->props), "") << "typing alone stores nothing";
        end(door, 0);
        EXPECT_EQ(std::string(c.field(door->props)), std::string(c.kept, 'u'));
        begin(door);
    }
}

TEST_F(DoorPage, TheEndOfEditReadBackStoresWhatTheSpinnersHold) {
    VexalEntityHelper* door = make("func_door");
    door->props.angle = 500;  // loaded, outside the limits: the spinner holds it unchanged
    open(door);
    end(door, 0);
    EXPECT_EQ(door->props.angle, 500);
    EXPECT_EQ(door->props.speed, 0);
    begin(door);
    clickSpinnerArrow(item(IDC_LIP_SPINNER), true);
    door->props.lip = 77;  // changed behind the page's back: the read-back stores the page's
    end(door, END_EDIT_REMOVEUI);
    EXPECT_EQ(door->props.lip, 1);
}

TEST_F(DoorPage, TheSoundListStoresItsSelectionAtEveryNotification) {
    VexalEntityHelper* door = make("func_door");
    door->props.sounds = 3;
    open(door);
    EXPECT_EQ(shown(IDC_SOUNDS), "stone chain");
    startListening();
    focusControl(item(IDC_SOUNDS));
    EXPECT_EQ(door->props.sounds, 3);
    EXPECT_GE(announcements(), 1u) << "focusing the list alone stores and announces";
    ASSERT_TRUE(clickListItem(findLabelledControl(classPanelWnd, "Sounds"), "stone"));
    EXPECT_EQ(door->props.sounds, 1);
    EXPECT_EQ(shown(IDC_SOUNDS), "stone");
}

TEST_F(DoorPage, AStoredSoundOutsideTheListSelectsNothingAndStaysUntilTheListNotifies) {
    VexalEntityHelper* door = make("func_door");
    for (int32_t stored : {7, -1, 5}) {
        SCOPED_TRACE(stored);
        door->props.sounds = stored;
        open(door);
        EXPECT_EQ(selectedSound(), LB_ERR);
        EXPECT_EQ(door->props.sounds, stored);
        focusControl(item(IDC_SOUNDS));
        EXPECT_EQ(door->props.sounds, -1);
        end(door, END_EDIT_REMOVEUI);
    }
    door->props.sounds = 1;
    open(door);
    VexalEntityHelper* odd = make("func_door");
    odd->props.sounds = 7;
    moveOn(door, odd);
    EXPECT_EQ(selectedSound(), LB_ERR) << "a kept page drops the previous door's line";
    end(odd, END_EDIT_REMOVEUI);
    EXPECT_EQ(odd->props.sounds, 7);
}

TEST_F(DoorPage, AKeptPageMovesFromAStoneDoorToABaseDoorAndLeavesTheFirstAlone) {
    VexalEntityHelper* first = make("func_door");
    first->props.sounds = 1;
    first->props.angle = 90;
    first->props.toggle = 1;
    std::strcpy(first->props.targetName, "first");
    open(first);
    HWND page = classPanelWnd;
    end(first, 0);
    const std::vector<unsigned char> firstRecord = recordBytes(first);

    VexalEntityHelper* second = make("func_door");
    second->props.sounds = 2;
    second->props.angle = 180;
    second->props.speed = 40;
    second->props.wait = 3;
    second->props.lip = 8;
    second->props.health = 50;
    second->props.damage = 5;
    second->props.goldKey = 1;
    std::strcpy(second->props.targetName, "second");
    std::strcpy(second->props.message, "Locked");
    begin(second);
    EXPECT_EQ(classPanelWnd, page) << "the kept page is reused";
    EXPECT_EQ(shown(IDC_SOUNDS), "base");
    const int values[] = {180, 40, 3, 8, 50, 5};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(spinnerValue(spinners[i].spinnerId), values[i]);
    EXPECT_EQ(shown(IDC_TARGET_NAME), "second");
    EXPECT_EQ(shown(IDC_MESSAGE), "Locked");
    EXPECT_EQ(shown(IDC_TOGGLE), "0");
    EXPECT_EQ(shown(IDC_GOLD_KEY), "1");

    ASSERT_TRUE(clickListItem(item(IDC_SOUNDS), "stone chain"));
    clickButton(item(IDC_SILVER_KEY));
    EXPECT_EQ(second->props.sounds, 3);
    EXPECT_EQ(second->props.silverKey, 1);
    end(second, END_EDIT_REMOVEUI);
    EXPECT_EQ(recordBytes(first), firstRecord);
    EXPECT_EQ(std::string(second->props.targetName), "second");
}

TEST_F(DoorPage, AnUnboundPageChangesNothing) {
    VexalEntityHelper* door = make("func_door");
    open(door);
    HWND page = classPanelWnd;
    end(door, 0);
    const std::vector<unsigned char> before = recordBytes(door);
    startListening();
    clickButton(control(page, IDC_TOGGLE));
    clickSpinnerArrow(control(page, IDC_ANGLE_SPINNER), true);
    typeIntoField(control(page, IDC_TARGET_NAME), "late");
    clickListItem(control(page, IDC_SOUNDS), "screech metal");
    EXPECT_EQ(recordBytes(door), before);
    EXPECT_EQ(announcements(), 0u);
    EXPECT_TRUE(host.calls.empty());
    begin(door);
}

TEST_F(DoorPage, LoadedTextsWithoutATerminatorAreShownWholeAndSurviveBeingLookedAt) {
    VexalEntityHelper* door = make("func_door");
    std::memset(door->props.targetName, 't', sizeof door->props.targetName);
    door->props.toggle = 0x41414141;  // the bytes right after the name
    std::memset(door->props.message, 'm', sizeof door->props.message);
    std::memset(door->props.reserved252, 'r', sizeof door->props.reserved252);
    open(door);
    EXPECT_EQ(shown(IDC_TARGET_NAME), std::string(32, 't'));
    EXPECT_EQ(shown(IDC_MESSAGE), std::string(80, 'm'));
    const std::vector<unsigned char> loaded = recordBytes(door);
    end(door, 0);
    begin(door);
    end(door, END_EDIT_REMOVEUI);
    EXPECT_EQ(recordBytes(door), loaded) << "no edit, no change";
}

}  // namespace
