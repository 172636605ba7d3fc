#include "window/save_prompt.h"
#include <vector>

namespace {

constexpr WORD BUTTON_CLASS = 0x0080;
constexpr WORD STATIC_CLASS = 0x0082;
constexpr int QUESTION_ID = 100;

// A dialog template built in memory: the host carries no resources of its own.
class DialogTemplate {
public:
    DialogTemplate(const char* title, short width, short height, WORD items) {
        align();
        put(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        put(0);  // extended style
        words_.push_back(items);
        putRect(0, 0, width, height);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard dialog class
        putText(title);
        words_.push_back(8);  // font size in points
        putText("MS Shell Dlg");
    }
    void add(WORD atom, DWORD style, short x, short y, short width, short height, WORD id,
             const char* text) {
        align();
        put(WS_CHILD | WS_VISIBLE | style);
        put(0);
        putRect(x, y, width, height);
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(atom);
        putText(text);
        words_.push_back(0);  // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void align() {
        if (words_.size() % 2) words_.push_back(0);
    }
    void put(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void putRect(short x, short y, short width, short height) {
        for (short v : {x, y, width, height}) words_.push_back(static_cast<WORD>(v));
    }
    void putText(const std::string& text) {
        for (unsigned char c : text) words_.push_back(c);
        words_.push_back(0);
    }
    std::vector<WORD> words_;
};

INT_PTR CALLBACK promptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetDlgItemTextA(dialog, QUESTION_ID, reinterpret_cast<const char*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDNO || LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, LOWORD(wParam));
            return TRUE;
    }
    return FALSE;
}

}  // namespace

SaveChoice askSaveChanges(HWND owner, const std::string& name) {
    DialogTemplate prompt("Vexal Host", 200, 62, 4);
    prompt.add(STATIC_CLASS, SS_LEFT | SS_NOPREFIX, 10, 10, 180, 18, QUESTION_ID, "");
    prompt.add(BUTTON_CLASS, BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 38, 56, 14, IDYES, "&Save");
    prompt.add(BUTTON_CLASS, BS_PUSHBUTTON | WS_TABSTOP, 72, 38, 56, 14, IDNO, "Do&n't Save");
    prompt.add(BUTTON_CLASS, BS_PUSHBUTTON | WS_TABSTOP, 134, 38, 56, 14, IDCANCEL, "Cancel");
    const std::string question = "Save changes to " + name + "?";
    switch (DialogBoxIndirectParamA(GetModuleHandleA(nullptr), prompt.get(), owner, promptProc,
                                    reinterpret_cast<LPARAM>(question.c_str()))) {
        case IDYES:
            return SaveChoice::Save;
        case IDNO:
            return SaveChoice::DontSave;
        default:
            return SaveChoice::Cancel;
    }
}
