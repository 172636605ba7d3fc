// The main window made for a test, with the mouse and keys a user would use on it.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <commctrl.h>
#include "window/entity_list.h"
#include "session/host_session.h"
#include "session/page_editor.h"
#include "window/main_window.h"
#include "window/map_menu.h"
#include "cli/script_runner.h"
#include "panel/command_panel.h"
#include "panel/panel_controls.h"
#include "host_process.h"
#include "modal_answer.h"

using Lines = std::vector<std::string>;

inline void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Holds a key (VK_CONTROL, VK_SHIFT; 0 for none) down in the thread's keyboard state for
// as long as it lives, as a user's finger does.
class HeldKey {
public:
    explicit HeldKey(int key) : key_(key) { set(0x80); }
    ~HeldKey() { set(0); }

private:
    void set(BYTE state) {
        if (!key_) return;
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[key_] = state;
        SetKeyboardState(keys);
    }
    int key_;
};

inline void click(HWND window, int x, int y, WPARAM keys = 0) {
    HeldKey ctrl(keys & MK_CONTROL ? VK_CONTROL : 0), shift(keys & MK_SHIFT ? VK_SHIFT : 0);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

inline void drag(HWND window, POINT from, POINT to) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

// What the screen shows of a window's client area, row by row.
inline std::vector<COLORREF> shownPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    HDC screen = GetDC(window), copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(copy, x, y));
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(window, screen);
    return pixels;
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(main.create(error)) << error;
        pumpMessages();
        top = main.viewport(0).window();
    }
    // Runs script text on the window's session, as File > Run Script does.
    void run(const char* script) {
        ScriptRunner runner(session, stdout);
        ASSERT_TRUE(runner.runText("test", script)) << runner.error();
    }
    // Window position of a world point in the top viewport.
    POINT at(const Point3& world) {
        Point2 p;
        EXPECT_TRUE(main.viewport(0).view().mousePosition(world, p));
        return POINT{static_cast<LONG>(p.x + 0.5f), static_cast<LONG>(p.y + 0.5f)};
    }
    Node* createDoorAt(const Point3& world) {
        SendMessageA(main.kindButton("Door"), BM_CLICK, 0, 0);
        POINT p = at(world);
        click(top, p.x, p.y);
        SendMessageA(main.kindButton("Door"), BM_CLICK, 0, 0);  // disarm
        return session.scene().nodes().empty() ? nullptr : session.scene().nodes().back().get();
    }

    std::string title() {
        char text[256] = {};
        GetWindowTextA(main.window(), text, sizeof text);
        return text;
    }
    // A part of the status bar: 0 the mouse, 1 the grid and snap, 2 the selection and notes.
    std::string statusText(int part) {
        char text[256] = {};
        SendMessageA(FindWindowExA(main.window(), nullptr, STATUSCLASSNAMEA, nullptr), SB_GETTEXTA,
                     part, reinterpret_cast<LPARAM>(text));
        return text;
    }
    HWND control(const char* label) { return session.pages().commandPanel().findControl(label); }
    // A key as the keyboard sends it through the host's message loop, with Shift or Ctrl held.
    void press(WPARAM key, int held = 0, HWND to = GetFocus()) {
        HeldKey finger(held);
        MSG msg = {to, WM_KEYDOWN, key, 1, 0, {0, 0}};
        main.dispatch(msg);
    }
    void type(const std::string& text) {
        for (char c : text) SendMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }

    HostSession session;
    MainWindow main{session};
    HWND top = nullptr;
};
