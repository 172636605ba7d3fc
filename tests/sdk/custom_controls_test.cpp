// CustEdit and SpinnerControl: created by another module (this executable) from the global
// classes of core.dll, and driven with the keys and mouse messages a user produces.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "vexsdk/custcontrols.h"

namespace {

const int EDIT_ID = 1010;
const int SPINNER_ID = 1044;

struct Heard {
    UINT message;
    int id;
    LPARAM lParam;
    float valueThen;  // spinner value when the change arrived
};
std::vector<Heard> heard;

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == spinnerChangeMessage) {
        auto* spinner = reinterpret_cast<ISpinnerControl*>(lParam);
        heard.push_back({message, LOWORD(wParam), lParam, spinner->getValueFloat()});
        return 0;
    }
    if (message == editCommitMessage) {
        heard.push_back({message, LOWORD(wParam), lParam, 0.0f});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeParent() {
    static ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ControlsTestParent";
        return RegisterClassA(&wc);
    }();
    EXPECT_NE(atom, 0);
    return CreateWindowExA(0, "ControlsTestParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                           200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

int count(UINT message) {
    int n = 0;
    for (const Heard& h : heard) n += h.message == message;
    return n;
}

// A page with a float or integer spinner linked to its edit, as the parameter pages use them.
class Controls : public testing::Test {
protected:
    void SetUp() override {
        InitCustomControls(GetModuleHandleA(nullptr));
        parent = makeParent();
        ASSERT_NE(parent, nullptr);
        HINSTANCE self = GetModuleHandleA(nullptr);  // not core.dll: the classes are global
        edit = CreateWindowExA(0, CUSTEDIT_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10,
                               60, 20, parent, reinterpret_cast<HMENU>(EDIT_ID), self, nullptr);
        spinner = CreateWindowExA(0, SPINNER_CLASS, "", WS_CHILD | WS_VISIBLE, 72, 10, 12, 20,
                                  parent, reinterpret_cast<HMENU>(SPINNER_ID), self, nullptr);
        other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 40, 60, 20, parent,
                                nullptr, self, nullptr);
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(spinner, nullptr);
        heard.clear();
    }
    void TearDown() override { DestroyWindow(parent); }

    ISpinnerControl* linkSpinner(int lo, int hi, float value, int editType) {
        ISpinnerControl* s = GetISpinner(spinner);
        EXPECT_NE(s, nullptr);
        s->setLimitsInt(lo, hi, 0);
        s->setScale(0.1f);
        s->setValueFloat(value, 0);
        s->linkToEdit(edit, editType);
        return s;
    }
    std::string editText() {
        char text[64];
        GetWindowTextA(edit, text, sizeof text);
        return text;
    }
    HWND field() { return GetWindow(edit, GW_CHILD); }
    // Focus into the field, select all and type, as a user replaces a value.
    void type(const char* text) {
        SetFocus(edit);
        for (const char* c = text; *c; ++c) SendMessageA(field(), WM_CHAR, *c, 1);
    }
    void pressEnter() { SendMessageA(field(), WM_KEYDOWN, VK_RETURN, 1); }
    void click(int y) {
        SendMessageA(spinner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
        SendMessageA(spinner, WM_LBUTTONUP, 0, MAKELPARAM(5, y));
    }
    void drag(int fromY, int toY) {
        SendMessageA(spinner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, fromY));
        SendMessageA(spinner, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, toY));
        SendMessageA(spinner, WM_LBUTTONUP, 0, MAKELPARAM(5, toY));
    }

    HWND parent = nullptr, edit = nullptr, spinner = nullptr, other = nullptr;
};

TEST_F(Controls, RegisteringAgainChangesNothingAndInterfacesMatchTheirClass) {
    InitCustomControls(GetModuleHandleA(nullptr));
    InitCustomControls(nullptr);
    EXPECT_EQ(GetISpinner(edit), nullptr);
    EXPECT_EQ(GetICustEdit(spinner), nullptr);
    EXPECT_EQ(GetICustEdit(other), nullptr);
    EXPECT_EQ(GetISpinner(nullptr), nullptr);
    ICustEdit* e = GetICustEdit(edit);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->window(), edit);
    ReleaseICustEdit(e);
}

TEST_F(Controls, EditTextIsSetWithoutCommitAndReadWithinTheBuffer) {
    ICustEdit* e = GetICustEdit(edit);
    e->setText("trigger_door");
    char small[5];
    e->getText(small, sizeof small);
    EXPECT_STREQ(small, "trig");
    char whole[32];
    e->getText(whole, sizeof whole);
    EXPECT_STREQ(whole, "trigger_door");
    e->setText(nullptr);
    EXPECT_EQ(editText(), "");
    ReleaseICustEdit(e);
    // A value put in by the program is no change of the user's: leaving commits nothing.
    SetFocus(edit);
    SetFocus(other);
    EXPECT_EQ(count(editCommitMessage), 0);
}

TEST_F(Controls, EnterAndLeavingAfterAChangeCommit) {
    type("t1");
    EXPECT_EQ(count(editCommitMessage), 0);
    pressEnter();
    ASSERT_EQ(count(editCommitMessage), 1);
    EXPECT_EQ(heard[0].id, EDIT_ID);
    EXPECT_EQ(editText(), "t1");
    SetFocus(other);  // nothing typed since the commit
    EXPECT_EQ(count(editCommitMessage), 1);
    type("x");  // entering the field selects its text, so typing replaces it
    SetFocus(other);
    EXPECT_EQ(count(editCommitMessage), 2);
    EXPECT_EQ(editText(), "x");
}

TEST_F(Controls, EnterInsideADialogReachesTheFieldNotTheDefaultButton) {
    type("abc");
    MSG msg = {field(), WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
    LRESULT code = SendMessageA(field(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&msg));
    EXPECT_TRUE(code & DLGC_WANTALLKEYS);
}

TEST_F(Controls, LinkedEditShowsTheValueInTheSpinnersForm) {
    ISpinnerControl* s = linkSpinner(10, 1000, 20.0f, EDITTYPE_FLOAT);
    EXPECT_EQ(editText(), "20.0");
    s->linkToEdit(edit, EDITTYPE_INT);
    s->setValueInt(-2, 0);
    EXPECT_EQ(editText(), "-2");
    EXPECT_EQ(s->getValueInt(), -2);
    EXPECT_EQ(count(spinnerChangeMessage), 0) << "values set without notification";
    s->setValueInt(5, 1);
    EXPECT_EQ(count(spinnerChangeMessage), 1);
    ReleaseISpinner(s);
}

TEST_F(Controls, LimitsForceTheValueInsideOnlyWhenAskedTo) {
    ISpinnerControl* s = linkSpinner(0, 100, 0.0f, EDITTYPE_INT);
    s->setValueInt(0, 0);
    s->setLimitsInt(1, 999, 0);
    EXPECT_EQ(s->getValueInt(), 0);
    s->setLimitsInt(1, 999, 1);
    EXPECT_EQ(s->getValueInt(), 1);
    EXPECT_EQ(editText(), "1");
    s->setLimitsFloat(-5.5f, -2.0f, 1);
    EXPECT_EQ(s->getValueInt(), -2);
    EXPECT_EQ(count(spinnerChangeMessage), 0);
    ReleaseISpinner(s);
}

TEST_F(Controls, ArrowClicksStepWithinTheLimitsAndReportEachChange) {
    ISpinnerControl* s = linkSpinner(-2, 359, 357.0f, EDITTYPE_INT);
    struct Step {
        int y;  // the spinner is 20 pixels high: upper half up, lower half down
        int expected;
        int changes;
    } steps[] = {{3, 358, 1}, {3, 359, 2}, {3, 359, 2}, {16, 358, 3}};
    for (const Step& step : steps) {
        click(step.y);
        EXPECT_EQ(s->getValueInt(), step.expected) << "click at " << step.y;
        EXPECT_EQ(count(spinnerChangeMessage), step.changes);
    }
    EXPECT_EQ(editText(), "358");
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back().id, SPINNER_ID);
    EXPECT_EQ(heard.back().lParam, reinterpret_cast<LPARAM>(s));
    EXPECT_EQ(heard.back().valueThen, 358.0f);
    ReleaseISpinner(s);
}

TEST_F(Controls, FloatArrowsStepByTenTimesTheScale) {
    ISpinnerControl* s = linkSpinner(10, 1000, 20.0f, EDITTYPE_FLOAT);
    click(3);
    EXPECT_FLOAT_EQ(s->getValueFloat(), 21.0f);
    EXPECT_EQ(editText(), "21.0");
    ReleaseISpinner(s);
}

TEST_F(Controls, DraggingChangesTheValueByTheScalePerPixel) {
    ISpinnerControl* s = linkSpinner(10, 1000, 20.0f, EDITTYPE_FLOAT);
    drag(5, -45);  // 50 pixels up
    EXPECT_NEAR(s->getValueFloat(), 25.0f, 1e-4);
    EXPECT_EQ(editText(), "25.0");
    EXPECT_EQ(heard.back().message, spinnerChangeMessage);
    drag(5, 1000);  // far down: held at the lower limit
    EXPECT_FLOAT_EQ(s->getValueFloat(), 10.0f);
    ReleaseISpinner(s);
}

TEST_F(Controls, TypingIntoTheLinkedEditChangesTheSpinner) {
    ISpinnerControl* s = linkSpinner(10, 1000, 20.0f, EDITTYPE_FLOAT);
    struct Typed {
        const char* text;
        float value;
        const char* shown;
        int changes;
    } cases[] = {
        {"35", 35.0f, "35.0", 1},          // taken
        {"5000", 1000.0f, "1000.0", 2},    // held at the limit
        {"abc", 1000.0f, "1000.0", 2},     // not a number: the old value comes back
        {"1000.0", 1000.0f, "1000.0", 2},  // the same value: no change
    };
    for (const Typed& t : cases) {
        SetFocus(edit);
        type(t.text);
        pressEnter();
        EXPECT_FLOAT_EQ(s->getValueFloat(), t.value) << t.text;
        EXPECT_EQ(editText(), t.shown) << t.text;
        EXPECT_EQ(count(spinnerChangeMessage), t.changes) << t.text;
    }
    // The edit still tells the dialog about each commit, after the spinner's change.
    EXPECT_EQ(count(editCommitMessage), 4);
    EXPECT_EQ(heard[0].message, spinnerChangeMessage);
    EXPECT_EQ(heard[1].message, editCommitMessage);
    ReleaseISpinner(s);
}

TEST_F(Controls, IntegerSpinnerRoundsWhatTheUserTypes) {
    ISpinnerControl* s = linkSpinner(0, 9999, 0.0f, EDITTYPE_INT);
    type("12.6");
    SetFocus(other);  // leaving the field commits too
    EXPECT_EQ(s->getValueInt(), 13);
    EXPECT_EQ(editText(), "13");
    EXPECT_EQ(count(spinnerChangeMessage), 1);
    ReleaseISpinner(s);
}

TEST_F(Controls, AnInterfaceHeldPastItsWindowIsHarmless) {
    ISpinnerControl* s = GetISpinner(spinner);
    ICustEdit* e = GetICustEdit(edit);
    DestroyWindow(spinner);
    DestroyWindow(edit);
    s->setValueInt(3, 1);
    EXPECT_EQ(s->window(), nullptr);
    char text[8] = "x";
    e->getText(text, sizeof text);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(count(spinnerChangeMessage), 0);
    ReleaseISpinner(s);
    ReleaseICustEdit(e);
}

}  // namespace
