// Faults a designer met on a real level, each as he met it.
#include "main_window_fixture.h"
#include "brush_text.h"
#include "kept_entity.h"
#include "scene/scene_history.h"
#include "test_files.h"
#include "window/class_search_box.h"

namespace {

using DesignerFaultsTest = MainWindowTest;

// Fault 1: a class picked in the class search arms create mode with the focus left in the
// search; Escape there must end it as it does in a viewport.
TEST_F(DesignerFaultsTest, EscapeLeavesCreateModeWhereverTheFocusIs) {
    ClassSearchBox& search = main.classSearch();
    SetWindowTextA(search.searchField(), "light");
    for (HWND focus : {search.list(), search.searchField()}) {
        SendMessageA(search.list(), LB_SETCURSEL, 0, 0);
        SendMessageA(search.window(), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(search.list()), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(search.list()));
        const POINT p = at(Point3(64, 64, 0));
        click(top, p.x, p.y);
        const size_t made = session.scene().size();
        ASSERT_GT(made, 0u) << "armed by the pick";
        SetFocus(focus);
        press(VK_ESCAPE, 0, focus);
        click(top, p.x, p.y);
        EXPECT_EQ(session.scene().size(), made) << "no helper after Escape";
    }
}

// A light's page on a helper whose class export writes no light keys of (the world, a
// "func_detail") is greyed with the reason on it, and no edit reaches it: not a script's,
// nor one made on a light's page for several helpers.
TEST_F(DesignerFaultsTest, ALightPageTheLevelIgnoresIsGreyedAndTakesNoEdit) {
    ScratchFile map("ignored-page", ".map");
    ASSERT_TRUE(writeFile(map.path(),
                          "{\n\"classname\" \"worldspawn\"\n}\n"
                          "{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n}\n"
                          "{\n\"classname\" \"func_detail\"\n\"origin\" \"64 0 0\"\n}\n"));
    main.mapMenu().importMap(map.path());
    ASSERT_EQ(session.scene().size(), 3u);
    Node* world = session.scene().nodes()[0].get();
    Node* lamp = session.scene().nodes()[1].get();
    Node* detail = session.scene().nodes()[2].get();
    CommandPanel& panel = session.pages().commandPanel();
    ScriptRunner script(session, stdout);
    for (auto [node, classname] : {std::pair{world, "worldspawn"}, {detail, "func_detail"}}) {
        session.select({node});
        EXPECT_EQ(
            panel.pageNote(panel.page("Light Params")),
            std::string("Light values do not apply to ") + classname + ": the game ignores them.");
        EXPECT_FALSE(IsWindowEnabled(control("Fast Strobe"))) << classname;
        const std::string step = session.undoName();
        EXPECT_FALSE(script.runText("ignored", "set \"Fast Strobe\"\n")) << classname;
        EXPECT_EQ(session.undoName(), step) << classname;
    }
    const std::vector<unsigned char> detailBefore = saveObjectChunks(*detail->object()),
                                     lampBefore = saveObjectChunks(*lamp->object());
    session.select({lamp, detail});
    EXPECT_EQ(panel.pageNote(panel.page("Light Params")), "") << "the light's own page";
    SendMessageA(control("Off"), BM_CLICK, 0, 0);
    panel.runPostedTasks();
    EXPECT_NE(saveObjectChunks(*lamp->object()), lampBefore);
    EXPECT_EQ(saveObjectChunks(*detail->object()), detailBefore);
}

// A box made with Ctrl+B or the script's box command takes a texture the game has: a
// trigger's the game's trigger texture, any other the texture the scene's brushes use most
// (the host's own name only in a scene with no brushes); a texture the script names wins.
TEST_F(DesignerFaultsTest, ABoxTakesATextureTheGameHas) {
    ScriptRunner script(session, stdout);
    ASSERT_TRUE(script.runText("helpers",
                               "create Door at 0 0 0 as first\n"
                               "create \"Trigger Once\" at 64 0 0 as hall\n"
                               "create Door at 128 0 0 as second\n"))
        << script.error();
    auto newestBoxTextures = [&](const char* name) {
        const Node* node = session.node(name);
        KeptEntity kept;
        std::string error;
        EXPECT_TRUE(node->kept &&
                    decodeKeptEntity(node->kept->data(), node->kept->size(), kept, error))
            << name << error;
        return kept.brushes.empty() ? Lines() : faceTextures(kept.brushes.back());
    };
    session.select({session.node("first")});
    main.command(MainWindow::CMD_ADD_BOX);
    EXPECT_EQ(newestBoxTextures("first"), Lines(6, "vexal_box")) << "the scene had no brush";
    ASSERT_TRUE(script.runText("room",
                               "brush worldspawn box -256 -256 -16 256 256 0 texture stone\n"
                               "brush worldspawn box -256 -256 128 256 256 144 texture stone\n"
                               "brush worldspawn box -256 -256 0 -240 256 128 texture wall\n"))
        << script.error();
    const struct {
        const char* node;
        const char* scriptLine;  // null: Ctrl+B on the node
        const char* texture;
    } boxes[] = {
        {"hall", nullptr, "trigger"},
        {"second", nullptr, "stone"},
        {"second", "brush second box 0 0 0 8 8 8\n", "stone"},
        {"second", "brush second box 0 0 0 8 8 8 texture door\n", "door"},
    };
    for (const auto& box : boxes) {
        if (box.scriptLine) {
            ASSERT_TRUE(script.runText("box", box.scriptLine)) << script.error();
        } else {
            session.select({session.node(box.node)});
            press('B', VK_CONTROL, top);
        }
        EXPECT_EQ(newestBoxTextures(box.node), Lines(6, box.texture))
            << box.node << " " << (box.scriptLine ? box.scriptLine : "Ctrl+B");
    }
}

}  // namespace
