#include "window/map_menu.h"
#include <algorithm>
#include "ui/window_class.h"
#include "window/file_dialog.h"
#include "session/host_session.h"

namespace {

const char* reportClass = "VexalHostCheckReport";
constexpr int LIST_ID = 1;
constexpr int REPORT_WIDTH = 640, REPORT_HEIGHT = 260;
constexpr int REPORT_INSET = 24;  // from the owner's edges, when it lies over the owner

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

void MapMenu::sceneChanged() {
    if (report_ && IsWindowVisible(report_) && !recheckPosted_)
        recheckPosted_ = PostMessageA(report_, WM_APP, 0, 0) != FALSE;
}

bool MapMenu::translateMessage(MSG& msg) {
    return report_ && (msg.hwnd == report_ || IsChild(report_, msg.hwnd)) &&
           IsDialogMessageA(report_, &msg);
}

RECT MapMenu::reportPlace() const {
    RECT owner, screen;
    GetWindowRect(owner_, &owner);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    const int x = owner.right + REPORT_WIDTH <= screen.right
                      ? owner.right
                      : std::max(owner.left, owner.right - REPORT_WIDTH - REPORT_INSET);
    const int y = std::max(owner.top, owner.bottom - REPORT_HEIGHT - REPORT_INSET);
    return RECT{x, y, x + REPORT_WIDTH, y + REPORT_HEIGHT};
}

void MapMenu::createReport() {
    registerWindowClass(reportClass, boundWindowProc<MapMenu, &MapMenu::handle>, IDC_ARROW,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const RECT place = reportPlace();
    report_ =
        CreateWindowExA(0, reportClass, "Check", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                        place.left, place.top, place.right - place.left, place.bottom - place.top,
                        owner_, nullptr, GetModuleHandleA(nullptr), this);
    list_ =
        childControl("LISTBOX", "", WS_EX_CLIENTEDGE,
                     WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, report_, LIST_ID);
    RECT client;
    GetClientRect(report_, &client);
    MoveWindow(list_, 0, 0, client.right, client.bottom, TRUE);
}

void MapMenu::showReport(const std::vector<CheckLine>& lines) {
    if (!report_) createReport();
    lines_ = lines;
    const LRESULT top = SendMessageA(list_, LB_GETTOPINDEX, 0, 0);
    const LRESULT picked = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const CheckLine& line : lines_)
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, 1200, 0);
    // A check made again keeps the reader's place.
    SendMessageA(list_, LB_SETTOPINDEX, top, 0);
    SendMessageA(list_, LB_SETCURSEL, picked, 0);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    if (!IsWindowVisible(report_)) ShowWindow(report_, SW_SHOW);
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
            if (LOWORD(wp) == IDCANCEL) ShowWindow(w, SW_HIDE);  // Escape
            return 0;
        case WM_APP:
            recheckPosted_ = false;
            if (IsWindowVisible(w)) check();
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
