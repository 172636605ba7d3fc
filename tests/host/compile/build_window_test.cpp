// The Build window takes lines from a worker thread without the worker ever waiting on it,
// hands a double-clicked line on, and colours lines by who wrote them and what they say.
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

    build.setHeading("bsp: exit 1 (0.1 s)");
    build.begin("Build");
    EXPECT_TRUE(build.lines().empty());
    EXPECT_EQ(build.heading(), "") << "a new compile starts without the last one's result";
}

TEST(BuildWindow, TheHostsLinesAreToldFromTheProgramsErrorsAndWarnings) {
    const COLORREF host = RGB(0, 70, 160), error = RGB(200, 0, 0), warning = RGB(170, 110, 0);
    const struct {
        const char* line;
        COLORREF colour;
    } cases[] = {
        {"== bsp: exit 0 (1.2 s), 0 warnings, 0 errors", host},
        {"== bsp: \"bsp.exe\" -warnings-as-errors level.map", host},
        {"ERROR: brush 3 has no faces", error},
        {"warning: no texture", warning},
        {"3 portals", GetSysColor(COLOR_WINDOWTEXT)},
    };
    for (const auto& c : cases) EXPECT_EQ(logLineColour(c.line), c.colour) << c.line;
}

}  // namespace
