#include <windows.h>
#include "modal_answer.h"
#include <commdlg.h>

namespace {

ModalAnswer* pending = nullptr;

std::string textOf(HWND window) {
    char text[MAX_PATH] = {};
    GetWindowTextA(window, text, sizeof text);
    std::string plain;
    for (const char* c = text; *c; ++c)
        if (*c != '&') plain += *c;
    return plain;
}

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
    if (className(window) != "#32770" || !IsWindowEnabled(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

BOOL CALLBACK readControl(HWND control, LPARAM dialog) {
    if (className(control) == "Static" && !textOf(control).empty())
        pending->text += (pending->text.empty() ? "" : "|") + textOf(control);
    const bool shown = (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (className(control) == "Button" && shown && !textOf(control).empty())
        pending->buttons += (pending->buttons.empty() ? "" : "|") + textOf(control);
    if (className(control) == "Button" && textOf(control) == pending->button) {
        const int id = GetDlgCtrlID(control);
        PostMessageA(reinterpret_cast<HWND>(dialog), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
        pending->answered = true;
    }
    return TRUE;
}

void CALLBACK answer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !pending) return;
    KillTimer(nullptr, timer);
    pending->title = textOf(dialog);
    char folder[MAX_PATH] = {};
    char file[MAX_PATH] = {};
    if (SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder)) >
        0) {
        SendMessageA(dialog, CDM_GETSPEC, sizeof file, reinterpret_cast<LPARAM>(file));
        pending->folder = folder;
        pending->fileName = file;
    }
    EnumChildWindows(dialog, readControl, reinterpret_cast<LPARAM>(dialog));
    pending = nullptr;
}

}  // namespace

void answerNextDialog(ModalAnswer& answer) {
    pending = &answer;
    SetTimer(nullptr, 0, 20, ::answer);
}
