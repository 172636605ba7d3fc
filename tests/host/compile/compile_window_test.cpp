// Compiling from the main window as a user does it: F9 and Ctrl+F9, Run > Profile, and the
// Build window's log, step clock and links, with the compiler stand-in as every step.
#include <cstdlib>
#include <set>
#include "main_window_fixture.h"
#include "render/position_mark.h"
#include "standin.h"
#include "window/compile_menu.h"

namespace {

// The window's profile file lives in a folder of the test's own (through APPDATA), and the
// level is exported there.
class CompileWindowTest : public MainWindowTest {
protected:
    struct Step {
        const char* name;
        std::string arguments;
    };

    CompileWindowTest()
        : folder(makeScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name())) {
        const char* appData = std::getenv("APPDATA");
        savedAppData = appData ? appData : "";
        _putenv(("APPDATA=" + folder).c_str());
        CreateDirectoryA((folder + "\\vexalhost").c_str(), nullptr);
    }
    ~CompileWindowTest() override { _putenv(("APPDATA=" + savedAppData).c_str()); }

    std::string profile(const std::string& name, const std::vector<Step>& steps,
                        const std::string& launch = "") {
        std::string text = "profile " + name + "\nworkdir " + folder + "\n";
        for (const Step& s : steps)
            text += std::string("step ") + s.name + "\nprogram " + standinPath() + "\narguments " +
                    s.arguments + "\n";
        if (!launch.empty())
            text += "launch\nprogram " + standinPath() + "\narguments " + launch + "\n";
        return text;
    }
    void writeProfiles(const std::string& text) {
        ASSERT_TRUE(writeFile(folder + "\\vexalhost\\compile-profiles.txt", text));
    }
    BuildWindow& build() { return main.compileMenu().buildWindow(); }
    // The window's messages handled as its loop does, until done or ten seconds passed.
    bool pumpUntil(const std::function<bool()>& done) {
        for (const DWORD start = GetTickCount(); !done(); Sleep(10)) {
            if (GetTickCount() - start > 10000) return false;
            pumpMessages();
        }
        return true;
    }
    bool hasLine(const std::string& line) {
        const Lines& lines = build().lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    bool compileEnded() {
        return !build().lines().empty() && build().lines().back().rfind("== compile ", 0) == 0;
    }
    std::string log() {
        std::string text;
        for (const std::string& line : build().lines()) text += line + "\n";
        return text;
    }

    std::string folder, savedAppData;
};

// F9 stores the typing, exports and runs the steps while the window goes on answering; a
// second F9 meanwhile is refused, and Ctrl+F9 starts the game only once a compile succeeded.
TEST_F(CompileWindowTest, F9CompilesInTheBackgroundAndCtrlF9LaunchesOnlyAfterASuccess) {
    writeProfiles(profile(
        "Full",
        {{"bsp", "say \"bsp of ${NAME}\" sleep 1500"}, {"light", "warn \"warning: dim\" exit 0"}},
        "points \"${WORKDIR}\\launched.pts\" 1"));
    ASSERT_NE(createDoorAt(Point3(0, 0, 0)), nullptr);
    ModalAnswer early("OK");
    answerNextDialog(early);
    press(VK_F9, VK_CONTROL, top);
    EXPECT_NE(early.text.find("Compile first"), std::string::npos) << early.text;

    HWND field = control("Target Name");
    SetFocus(field);
    setControlValue(field, "vault");
    press(VK_F9);  // from the field being typed in
    EXPECT_TRUE(main.compileMenu().running()) << "F9 is back while its step runs";
    EXPECT_NE(readFile(folder + "\\untitled.map").find("\"targetname\" \"vault\""),
              std::string::npos);
    EXPECT_TRUE(pumpUntil([&] { return hasLine("bsp of untitled"); }));
    EXPECT_TRUE(main.compileMenu().running()) << "the line came while the step still ran";
    ModalAnswer busy("OK");
    answerNextDialog(busy);
    press(VK_F9, 0, top);
    EXPECT_NE(busy.text.find("A compile is running"), std::string::npos) << busy.text;

    ASSERT_TRUE(pumpUntil([&] { return compileEnded(); })) << log();
    const Lines expected = {"bsp of untitled", "== bsp: exit 0 (", "warning: dim",
                            "== light: exit 0 (", "== compile succeeded"};
    size_t found = 0;
    for (const std::string& line : build().lines())
        if (found < expected.size() && line.rfind(expected[found], 0) == 0) ++found;
    EXPECT_EQ(found, expected.size()) << log();

    press(VK_F9, VK_CONTROL, top);
    EXPECT_TRUE(pumpUntil([&] { return fileExists(folder + "\\launched.pts"); }));
}

// Run > Profile lists the file's profiles with the one F9 uses checked: the first until
// another is chosen, which is kept for the session.
TEST_F(CompileWindowTest, RunProfileChoosesTheProfileF9Uses) {
    HMENU profiles = GetSubMenu(GetSubMenu(GetMenu(main.window()), 3), 1);
    auto items = [&] {  // "*" checked, "~" greyed
        SendMessageA(main.window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(profiles), 1);
        std::string shown;
        for (int i = 0; i < GetMenuItemCount(profiles); ++i) {
            char text[64] = {};
            GetMenuStringA(profiles, i, text, sizeof text, MF_BYPOSITION);
            const UINT state = GetMenuState(profiles, i, MF_BYPOSITION);
            shown += std::string(state & MF_CHECKED ? "*" : "") + (state & MF_GRAYED ? "~" : "") +
                     text + "|";
        }
        return shown;
    };
    writeProfiles("# none yet\n");
    EXPECT_EQ(items(), "~(no profiles)|");
    ModalAnswer none("OK");
    answerNextDialog(none);
    press(VK_F9, 0, top);
    EXPECT_NE(none.text.find("has no profile yet"), std::string::npos) << none.text;

    writeProfiles(profile("Full", {{"bsp", "say full"}}) + profile("Q&A", {{"bsp", "say quick"}}));
    EXPECT_EQ(items(), "*Full|Q&&A|");
    main.command(MainWindow::CMD_PROFILE_FIRST + 1);
    EXPECT_EQ(items(), "Full|*Q&&A|");
    press(VK_F9, 0, top);
    ASSERT_TRUE(pumpUntil([&] { return compileEnded(); })) << log();
    EXPECT_TRUE(hasLine("quick")) << log();
    EXPECT_FALSE(hasLine("full")) << log();
}

// While a step runs, the Build window's heading gives its time, ticking; at its end, its
// exit status and time.
TEST_F(CompileWindowTest, TheBuildWindowClocksTheRunningStep) {
    writeProfiles(profile("Full", {{"bsp", "sleep 1200"}}));
    press(VK_F9, 0, top);
    std::set<std::string> ticks;
    ASSERT_TRUE(pumpUntil([&] {
        const std::string heading = build().heading();
        if (heading.rfind("Step 1 of 1: bsp (running, ", 0) == 0) ticks.insert(heading);
        return compileEnded();
    })) << log();
    EXPECT_GE(ticks.size(), 3u) << (ticks.empty() ? build().heading() : *ticks.begin());
    EXPECT_EQ(build().heading().rfind("bsp: exit 0 (1.", 0), 0u) << build().heading();
}

// A double click on a log line naming a position no entity is near marks the position in
// the views and centres them on it.
TEST_F(CompileWindowTest, ALogPositionNearNoEntityIsMarkedAndFramed) {
    ASSERT_NE(createDoorAt(Point3(0, 0, 0)), nullptr);
    writeProfiles(profile("Full", {{"bsp", "say \"leak near 4000 4000 0\""}}));
    press(VK_F9, 0, top);
    ASSERT_TRUE(pumpUntil([&] { return compileEnded(); })) << log();
    const Lines& lines = build().lines();
    const auto line = std::find(lines.begin(), lines.end(), "leak near 4000 4000 0");
    ASSERT_NE(line, lines.end()) << log();
    SendMessageA(build().list(), LB_SETCURSEL, line - lines.begin(), 0);
    SendMessageA(build().window(), WM_COMMAND, MAKEWPARAM(1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(build().list()));

    SendMessageA(top, WM_PAINT, 0, 0);
    const Framebuffer& image = main.viewport(0).view().image();
    const POINT p = at(Point3(4000, 4000, 0));
    ASSERT_NEAR(p.x, image.width() / 2, 2);
    ASSERT_NEAR(p.y, image.height() / 2, 2);
    int marked = 0;
    for (int y = p.y - 12; y <= p.y + 12; ++y)
        for (int x = p.x - 12; x <= p.x + 12; ++x)
            marked += image.pixel(x, y) == POSITION_MARK_COLOUR;
    EXPECT_GT(marked, 30);
    EXPECT_NE(statusText(2).find("No entity near 4000 4000 0"), std::string::npos);
}

}  // namespace
