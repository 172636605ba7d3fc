#include "window/profiles_editor.h"
#include <vector>
#include "scene/byte_io.h"
#include "session/compile_profile.h"
#include "ui/message_box.h"
#include "ui/window_class.h"

namespace {

const char* windowClass = "VexalHostProfiles";
constexpr int TEXT_ID = 1, SAVE_ID = 2;
constexpr int EDITOR_WIDTH = 560, EDITOR_HEIGHT = 420, BUTTON_HEIGHT = 26, GAP = 4;

// Edit controls want CR LF line ends; the file keeps LF.
std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        if (c != '\r') out += c;
    }
    return out;
}

std::string withoutCr(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

void ProfilesEditor::create() {
    const std::string title = "Compile Profiles - " + path_;
    createBoundWindow(windowClass, {IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
                      title.c_str(), 0, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                      Place{CW_USEDEFAULT, CW_USEDEFAULT, EDITOR_WIDTH, EDITOR_HEIGHT}, owner_);
    text_ = childControl("EDIT", "", WS_EX_CLIENTEDGE,
                         ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN |
                             WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                         window(), TEXT_ID);
    save_ = childControl("BUTTON", "&Save", 0, BS_DEFPUSHBUTTON | WS_TABSTOP, window(), SAVE_ID);
    RECT client;
    GetClientRect(window(), &client);
    layout(client.right, client.bottom);
}

void ProfilesEditor::layout(int width, int height) {
    MoveWindow(text_, 0, 0, width, height - BUTTON_HEIGHT - 2 * GAP, TRUE);
    MoveWindow(save_, width - 90 - GAP, height - BUTTON_HEIGHT - GAP, 90, BUTTON_HEIGHT, TRUE);
}

void ProfilesEditor::show() {
    if (!window()) create();
    std::string text, error;
    if (!readTextFile(path_, text, error)) text = exampleProfilesText();
    SetWindowTextA(text_, withCrLf(text).c_str());
    ShowWindow(window(), SW_SHOW);
    SetFocus(text_);
}

bool ProfilesEditor::save() {
    std::vector<char> buffer(GetWindowTextLengthA(text_) + 1);
    GetWindowTextA(text_, buffer.data(), static_cast<int>(buffer.size()));
    const std::string text = withoutCr(buffer.data());
    std::vector<CompileProfile> profiles;
    std::string error;
    CreateDirectoryA(folderOf(path_).c_str(), nullptr);
    const bool saved = parseCompileProfiles(text, path_, profiles, error) &&
                       writeTextFileReplacing(path_, text, error);
    if (!saved) {
        showMessage(window(), error, "Compile Profiles", MB_OK | MB_ICONERROR);
        return false;
    }
    if (onNote) onNote("Saved " + std::to_string(profiles.size()) + " compile profiles");
    return true;
}

LRESULT ProfilesEditor::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            if (text_) layout(LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == SAVE_ID && save()) ShowWindow(w, SW_HIDE);
            return 0;
        case WM_CLOSE:
            ShowWindow(w, SW_HIDE);
            return 0;
        case WM_DESTROY:
            text_ = save_ = nullptr;
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
