// "SpinnerControl": a pair of arrows that step a number, or change it continuously while
// the user drags up or down, and show it in a linked edit field.
//
// How the value behaves:
// - A spinner linked with EDITTYPE_INT holds whole numbers; otherwise it holds floats,
//   shown with as many decimals as its scale asks for (at least one).
// - An arrow click steps by 1 (integer spinner) or by ten times the scale; holding the
//   button repeats the step; dragging changes the value by the scale per pixel.
// - What the user does (arrows, drag, typing into the linked edit) stays within the
//   limits. A value the program sets is taken as given, and new limits force it inside
//   only when asked to.
// - Every change the user makes is reported to the parent with spinnerChangeMessage.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include "vexsdk/custcontrols.h"
#include "custom_controls_internal.h"

namespace {

const UINT_PTR REPEAT_TIMER = 1;
const UINT FIRST_REPEAT_MS = 400;
const UINT NEXT_REPEAT_MS = 60;
const int DRAG_THRESHOLD_PX = 3;

LRESULT CALLBACK spinnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Spinner final : public ISpinnerControl {
public:
    explicit Spinner(HWND window) : window_(window) {}

    void setLimitsInt(int lo, int hi, int clamp) override { setLimits(lo, hi, clamp); }
    void setLimitsFloat(float lo, float hi, int clamp) override { setLimits(lo, hi, clamp); }
    void setScale(float scale) override { scale_ = std::fabs(scale); }
    void setValueInt(int v, int notify) override { programSet(v, notify); }
    void setValueFloat(float v, int notify) override { programSet(v, notify); }
    void linkToEdit(HWND edit, int editType) override;
    int getValueInt() override;
    float getValueFloat() override { return static_cast<float>(value_); }
    HWND window() override { return window_; }

    void addRef() { ++refs_; }
    void release() {
        if (--refs_ == 0) delete this;
    }
    void detach();

    void takeTypedText(const char* text);
    void press(int y);
    void drag(int y);
    void repeat();
    void endPress();
    void paint();

private:
    enum class Arrow { none, up, down };

    bool integer() const { return editType_ == EDITTYPE_INT; }
    double normalised(double v) const { return integer() ? std::round(v) : v; }
    double clamped(double v) const { return v < lo_ ? lo_ : (v > hi_ ? hi_ : v); }
    double step() const { return integer() ? 1.0 : scale_ * 10.0; }
    void setLimits(double lo, double hi, int clamp);
    void programSet(double v, int notify);
    void userSet(double v);
    void notifyParent();
    void formatValue(char* text, size_t size) const;
    void showInEdit();

    HWND window_;
    HWND edit_ = nullptr;
    int editType_ = EDITTYPE_FLOAT;
    double value_ = 0.0;
    double lo_ = -1e9, hi_ = 1e9;
    double scale_ = 0.1;
    int refs_ = 1;  // the window's own
    Arrow pressed_ = Arrow::none;
    bool dragging_ = false;
    int pressY_ = 0;
    double pressValue_ = 0.0;
};

struct Hold {
    explicit Hold(Spinner* s) : spinner(s) { spinner->addRef(); }
    ~Hold() { spinner->release(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    Spinner* spinner;
};

Spinner* fromWindow(HWND window) {
    return reinterpret_cast<Spinner*>(GetWindowLongPtrA(window, 0));
}

void Spinner::setLimits(double lo, double hi, int clamp) {
    lo_ = lo < hi ? lo : hi;
    hi_ = lo < hi ? hi : lo;
    if (clamp && clamped(value_) != value_) {
        value_ = clamped(value_);
        showInEdit();
    }
}

void Spinner::programSet(double v, int notify) {
    value_ = normalised(v);
    showInEdit();
    if (notify) notifyParent();
}

void Spinner::userSet(double v) {
    v = clamped(normalised(v));
    if (v == value_) return;
    value_ = v;
    showInEdit();
    notifyParent();
}

int Spinner::getValueInt() {
    double v = std::round(value_);
    if (v <= -2147483648.0) return INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    return static_cast<int>(v);
}

void Spinner::notifyParent() {
    if (!window_) return;
    SendMessageA(GetParent(window_), spinnerChangeMessage, MAKEWPARAM(GetDlgCtrlID(window_), 0),
                 reinterpret_cast<LPARAM>(static_cast<ISpinnerControl*>(this)));
}

void Spinner::formatValue(char* text, size_t size) const {
    if (integer()) {
        std::snprintf(text, size, "%d", static_cast<int>(std::round(value_)));
        return;
    }
    int decimals = 1;
    while (decimals < 4 && scale_ > 0 && scale_ < std::pow(10.0, -decimals) - 1e-12) ++decimals;
    std::snprintf(text, size, "%.*f", decimals, value_);
}

void Spinner::showInEdit() {
    if (!edit_ || !IsWindow(edit_)) return;
    char text[64];
    formatValue(text, sizeof text);
    SetWindowTextA(edit_, text);
}

void Spinner::linkToEdit(HWND edit, int editType) {
    if (edit_ && edit_ != edit) linkCustEditToSpinner(edit_, nullptr);
    edit_ = edit;
    editType_ = editType;
    value_ = normalised(value_);
    linkCustEditToSpinner(edit_, window_);
    showInEdit();
}

void Spinner::takeTypedText(const char* text) {
    char shown[64];
    formatValue(shown, sizeof shown);
    if (std::strcmp(text, shown) == 0) return;
    char* end = nullptr;
    double typed = std::strtod(text, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end != text && end && *end == '\0' && std::isfinite(typed)) userSet(typed);
    showInEdit();  // the value as taken: rounded, within limits, or the old one
}

void Spinner::press(int y) {
    RECT r;
    GetClientRect(window_, &r);
    pressed_ = y < (r.bottom - r.top) / 2 ? Arrow::up : Arrow::down;
    dragging_ = false;
    pressY_ = y;
    pressValue_ = value_;
    SetCapture(window_);
    InvalidateRect(window_, nullptr, FALSE);
    repeat();
    if (window_) SetTimer(window_, REPEAT_TIMER, FIRST_REPEAT_MS, nullptr);
}

void Spinner::repeat() {
    if (pressed_ == Arrow::none || dragging_) return;
    userSet(value_ + (pressed_ == Arrow::up ? step() : -step()));
    if (window_) SetTimer(window_, REPEAT_TIMER, NEXT_REPEAT_MS, nullptr);
}

void Spinner::drag(int y) {
    if (pressed_ == Arrow::none) return;
    if (!dragging_) {
        if (std::abs(y - pressY_) <= DRAG_THRESHOLD_PX) return;
        dragging_ = true;  // a drag replaces the arrow's own step
        KillTimer(window_, REPEAT_TIMER);
    }
    userSet(pressValue_ + (pressY_ - y) * scale_);
}

void Spinner::endPress() {
    if (pressed_ == Arrow::none) return;
    pressed_ = Arrow::none;
    dragging_ = false;
    KillTimer(window_, REPEAT_TIMER);
    InvalidateRect(window_, nullptr, FALSE);
}

void Spinner::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT r;
    GetClientRect(window_, &r);
    RECT up = r, down = r;
    up.bottom = down.top = (r.top + r.bottom) / 2;
    UINT upState = DFCS_SCROLLUP | (pressed_ == Arrow::up ? DFCS_PUSHED : 0);
    UINT downState = DFCS_SCROLLDOWN | (pressed_ == Arrow::down ? DFCS_PUSHED : 0);
    if (!IsWindowEnabled(window_)) upState |= DFCS_INACTIVE, downState |= DFCS_INACTIVE;
    DrawFrameControl(dc, &up, DFC_SCROLL, upState);
    DrawFrameControl(dc, &down, DFC_SCROLL, downState);
    EndPaint(window_, &ps);
}

void Spinner::detach() {
    if (edit_) linkCustEditToSpinner(edit_, nullptr);
    window_ = edit_ = nullptr;
    pressed_ = Arrow::none;
}

LRESULT CALLBACK spinnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Spinner* self = fromWindow(window);
    if (message == WM_NCCREATE) {
        auto* made = new (std::nothrow) Spinner(window);
        if (!made) return FALSE;
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(made));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    // The parent may take the spinner down while it handles a change: keep the state
    // alive until this message is done.
    Hold hold(self);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (IsWindowEnabled(window)) self->press(static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_MOUSEMOVE:
            if (wParam & MK_LBUTTON) self->drag(static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_TIMER:
            if (wParam == REPEAT_TIMER) self->repeat();
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == window) ReleaseCapture();
            self->endPress();
            return 0;
        case WM_CAPTURECHANGED:
            self->endPress();
            return 0;
        case WM_PAINT:
            self->paint();
            return 0;
        case WM_ENABLE:
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, 0, 0);
            self->detach();
            self->release();
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

ATOM registerSpinnerClass() { return registerControlClass(SPINNER_CLASS, spinnerProc, IDC_SIZENS); }

bool isSpinner(HWND window) { return runsControlProc(window, spinnerProc); }

void spinnerTakeTypedText(HWND spinner, const char* text) {
    if (isSpinner(spinner)) fromWindow(spinner)->takeTypedText(text);
}

ISpinnerControl* GetISpinner(HWND control) {
    if (!isSpinner(control)) return nullptr;
    Spinner* spinner = fromWindow(control);
    spinner->addRef();
    return spinner;
}

void ReleaseISpinner(ISpinnerControl* spinner) {
    if (spinner) static_cast<Spinner*>(spinner)->release();
}
