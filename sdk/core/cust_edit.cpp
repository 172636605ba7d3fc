// "CustEdit": a one-line edit field that tells its dialog when the user commits what he
// typed (Enter, or leaving the field after a change). The window is a frame around a
// system edit control, so the frame can keep its own state and see the field's keys.
#include "vexsdk/custcontrols.h"
#include <new>
#include "custom_controls_internal.h"

namespace {

const int FIELD_ID = 1;
const WPARAM CTRL_A = 1;  // the character Ctrl+A types

LRESULT CALLBACK custEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Lives as long as its window or the last interface handed out, whichever is later.
class CustEdit final : public ICustEdit {
public:
    explicit CustEdit(HWND frame) : frame_(frame) {}

    void getText(char* buf, int size) override {
        if (!buf || size <= 0) return;
        buf[0] = '\0';
        if (field_) GetWindowTextA(field_, buf, size);
        buf[size - 1] = '\0';
    }
    void setText(const char* text) override {
        // WM_SETTEXT clears the field's modified flag: a value put in by the program is
        // not the user's change and is never committed as one.
        if (field_) SetWindowTextA(field_, text ? text : "");
    }
    HWND window() override { return frame_; }

    void addRef() { ++refs_; }
    void release() {
        if (--refs_ == 0) delete this;
    }

    bool createField(const CREATESTRUCTA& cs);
    void detach() { frame_ = field_ = spinner_ = nullptr; }
    void commit();
    void linkSpinner(HWND spinner) { spinner_ = spinner; }
    HWND field() const { return field_; }
    bool modified() const { return field_ && SendMessageA(field_, EM_GETMODIFY, 0, 0) != 0; }

private:
    static LRESULT CALLBACK fieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);

    HWND frame_;
    HWND field_ = nullptr;
    HWND spinner_ = nullptr;
    WNDPROC systemFieldProc_ = nullptr;
    int refs_ = 1;  // the window's own
};

CustEdit* fromWindow(HWND window) {
    return reinterpret_cast<CustEdit*>(GetWindowLongPtrA(window, 0));
}

bool CustEdit::createField(const CREATESTRUCTA& cs) {
    field_ =
        CreateWindowExA(0, "EDIT", cs.lpszName ? cs.lpszName : "",
                        WS_CHILD | WS_VISIBLE | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL, 0, 0, cs.cx,
                        cs.cy, frame_, reinterpret_cast<HMENU>(FIELD_ID), coreInstance(), nullptr);
    if (!field_) return false;
    SetWindowLongPtrA(field_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    systemFieldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(field_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&fieldProc)));
    return true;
}

void CustEdit::commit() {
    if (!field_) return;
    SendMessageA(field_, EM_SETMODIFY, FALSE, 0);
    HWND frame = frame_;
    addRef();  // the dialog may take the page down while it handles the commit
    if (spinner_) {
        char text[64];
        getText(text, sizeof text);
        spinnerTakeTypedText(spinner_, text);
    }
    if (frame_) {
        int id = GetDlgCtrlID(frame);
        SendMessageA(GetParent(frame), editCommitMessage, MAKEWPARAM(id, 0),
                     reinterpret_cast<LPARAM>(frame));
    }
    release();
}

LRESULT CALLBACK CustEdit::fieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CustEdit*>(GetWindowLongPtrA(field, GWLP_USERDATA));
    WNDPROC system = self->systemFieldProc_;
    switch (message) {
        case WM_GETDLGCODE: {
            // Enter belongs to the field, not to the dialog's default button.
            LRESULT code = CallWindowProcA(system, field, message, wParam, lParam);
            auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                code |= DLGC_WANTALLKEYS;
            return code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                self->commit();
                return 0;
            }
            if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
                SendMessageA(field, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == '\n') return 0;  // already handled as a commit
            if (wParam == CTRL_A) return 0;                  // already handled as select-all
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
            break;
    }
    return CallWindowProcA(system, field, message, wParam, lParam);
}

LRESULT CALLBACK custEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CustEdit* self = fromWindow(window);
    if (!self && message != WM_NCCREATE) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_NCCREATE: {
            auto* made = new (std::nothrow) CustEdit(window);
            if (!made) return FALSE;
            SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(made));
            // A field the user types into is always a stop of the Tab key, whatever the
            // dialog's template says.
            SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_TABSTOP);
            break;
        }
        case WM_CREATE:
            return self->createField(*reinterpret_cast<CREATESTRUCTA*>(lParam)) ? 0 : -1;
        case WM_SIZE:
            if (self->field())
                MoveWindow(self->field(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            if (self->field()) {
                SetFocus(self->field());
                SendMessageA(self->field(), EM_SETSEL, 0, -1);
            }
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == FIELD_ID && HIWORD(wParam) == EN_KILLFOCUS && self->modified())
                self->commit();
            return 0;
        case WM_ENABLE:
            if (self->field()) EnableWindow(self->field(), static_cast<BOOL>(wParam));
            return 0;
        // The field holds the text, the font and whether the user changed the text since
        // it was set or committed; the frame answers for it.
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_SETFONT:
        case WM_GETFONT:
        case EM_GETMODIFY:
            if (self->field()) return SendMessageA(self->field(), message, wParam, lParam);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, 0, 0);
            self->detach();
            self->release();
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

ATOM registerCustEditClass() {
    return registerControlClass(CUSTEDIT_CLASS, custEditProc, IDC_IBEAM);
}

bool isCustEdit(HWND window) { return runsControlProc(window, custEditProc); }

void linkCustEditToSpinner(HWND edit, HWND spinner) {
    if (isCustEdit(edit)) fromWindow(edit)->linkSpinner(spinner);
}

ICustEdit* GetICustEdit(HWND control) {
    if (!isCustEdit(control)) return nullptr;
    CustEdit* edit = fromWindow(control);
    edit->addRef();
    return edit;
}

void ReleaseICustEdit(ICustEdit* edit) {
    if (edit) static_cast<CustEdit*>(edit)->release();
}
