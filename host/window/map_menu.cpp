#include "window/map_menu.h"
#include "ui/window_class.h"
#include "window/file_dialog.h"
#include "session/host_session.h"

namespace {

const char* reportClass = "VexalHostCheckReport";
constexpr int LIST_ID = 1;

void message(HWND owner, const std::string& text, UINT icon) {
    MessageBoxA(owner, text.c_str(), "Vexal Host", MB_OK | icon);
}

}  // namespace

MapMenu::~MapMenu() {
    if (report_) DestroyWindow(report_);
}

std::string MapMenu::askFile(bool save) {
    return askFileName(owner_, save,
                       {"Map text (*.map)\0*.map\0All files\0*.*\0", "map", "", "",
                        save ? "Export Map" : "Import Map"});
}

void MapMenu::importMap() {
    std::string path = askFile(false);
    if (path.empty()) return;
    std::vector<std::string> notes;
    std::string error;
    bool complete = ::importMap(session_, path, notes, error);
    if (!error.empty()) notes.insert(notes.begin(), error);
    std::string text;
    for (const std::string& note : notes) text += note + "\n";
    if (!text.empty()) message(owner_, text, complete ? MB_ICONWARNING : MB_ICONERROR);
}

void MapMenu::exportMap() {
    const std::string path = askFile(true);
    if (path.empty()) return;
    // Helpers without a world of their own can stand in a base map's level.
    std::string base;
    if (!sceneHasWorld(session_.scene()) &&
        MessageBoxA(owner_, "The scene has no world. Write a base map's level before the helpers?",
                    "Export Map", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        base = askFile(false);
        if (base.empty()) return;
    }
    std::string error;
    if (!::exportMap(session_, path, base, error)) message(owner_, error, MB_ICONERROR);
}

void MapMenu::check() {
    bool fails = false;
    std::vector<CheckLine> lines = checkScene(session_, fails);
    if (lines.empty()) lines.push_back({"", "No findings: the helpers are ready for the game."});
    showReport(lines);
}

void MapMenu::showReport(const std::vector<CheckLine>& lines) {
    if (!report_) {
        registerWindowClass(reportClass, boundWindowProc<MapMenu, &MapMenu::handle>, IDC_ARROW,
                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        report_ = CreateWindowExA(WS_EX_TOOLWINDOW, reportClass, "Check",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  640, 260, owner_, nullptr, GetModuleHandleA(nullptr), this);
        list_ = CreateWindowExA(
            WS_EX_CLIENTEDGE, "LISTBOX", "",
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
            0, 10, 10, report_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(LIST_ID)),
            GetModuleHandleA(nullptr), nullptr);
        SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     0);
        RECT client;
        GetClientRect(report_, &client);
        MoveWindow(list_, 0, 0, client.right, client.bottom, TRUE);
    }
    lines_ = lines;
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const CheckLine& line : lines_)
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, 1200, 0);
    ShowWindow(report_, SW_SHOW);
}

void MapMenu::selectLine(int index) {
    if (index < 0 || index >= static_cast<int>(lines_.size())) return;
    if (Node* node = session_.node(lines_[index].node)) session_.select({node});
}

LRESULT MapMenu::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            if (list_) MoveWindow(list_, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == LIST_ID && HIWORD(wp) == LBN_DBLCLK)
                selectLine(static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)));
            return 0;
        case WM_CLOSE:
            ShowWindow(w, SW_HIDE);  // kept for the next check
            return 0;
        case WM_DESTROY:
            report_ = list_ = nullptr;
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
