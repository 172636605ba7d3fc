// The Build window takes lines from a worker thread without the worker ever waiting on it,
// and hands a double-clicked line on.
#include <gtest/gtest.h>
#include <thread>
#include "window/build_window.h"

namespace {

void pumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(5);
    }
}

TEST(BuildWindow, LinesPostedFromAWorkerAppearInOrder) {
    BuildWindow build(nullptr);
    build.begin("Build");
    std::thread worker([&] {
        for (int i = 0; i < 300; ++i)
            build.post([&build, i] { build.addLine("line " + std::to_string(i)); });
    });
    worker.join();
    pumpUntil([&] { return build.lines().size() == 300; });
    ASSERT_EQ(build.lines().size(), 300u);
    EXPECT_EQ(build.lines()[299], "line 299");
    EXPECT_EQ(SendMessageA(build.list(), LB_GETCOUNT, 0, 0), 300);

    std::string picked;
    build.onLine = [&](const std::string& line) { picked = line; };
    SendMessageA(build.list(), LB_SETCURSEL, 7, 0);
    SendMessageA(build.window(), WM_COMMAND, MAKEWPARAM(1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(build.list()));
    EXPECT_EQ(picked, "line 7");
}

}  // namespace
