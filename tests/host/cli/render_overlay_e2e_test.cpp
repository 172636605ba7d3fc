// Labels, links and the lights' glows in pictures that vexalhost renders, from the command
// line and from a script, found at the pixels where the host puts them.
#include <windows.h>
#include <gtest/gtest.h>
#include "session/host_session.h"
#include "render/view_framing.h"
#include "host_process.h"
#include "png_image.h"
#include "render/bitmap_font.h"
#include "render/light_glows.h"

namespace {

const Point3 TRIGGER_AT(-100, 0, 0), DOOR_AT(100, 0, 0);
const Rgb UNSELECTED_TRIPOD = {102, 102, 102};

// A trigger that fires "vault" and, right of it, the door named "vault"; nothing selected.
const char* sceneScript =
    "create \"Trigger Once\" at -100 0 0 as hall\nselect hall\n"
    "set \"Key 1\" target\nset \"Value 1\" vault\n"
    "create Door at 100 0 0 as gate\nselect gate\nset \"Target Name\" vault\n"
    "select\nsave scene.vxs\n";

// Where the host's framing of nodes at these places puts a point in a 400x300 top view.
IPoint2 pixelOf(const Point3& world, std::vector<Point3> framed = {TRIGGER_AT, DOOR_AT}) {
    HostSession session;
    for (const Point3& at : framed)
        session.scene().setPosition(*session.scene().add(nullptr, Class_ID(), 0, ""), at);
    SoftwareViewport view(ViewKind::Top, 400, 300);
    frameScene(view, session.scene());
    Point2 p;
    EXPECT_TRUE(view.mousePosition(world, p));
    return IPoint2(static_cast<int>(p.x + 0.5f), static_cast<int>(p.y + 0.5f));
}

int countColour(const PngImage& png, Rgb colour, IPoint2 from, IPoint2 to) {
    int n = 0;
    for (int y = from.y; y <= to.y; ++y)
        for (int x = from.x; x <= to.x; ++x) n += png.at(IPoint2(x, y)) == colour;
    return n;
}

struct RenderCase {
    const char* how;  // a command line, or a script's line after "load scene.vxs"
    bool script;
    bool labels, link;
};

const RenderCase cases[] = {
    {"render scene.vxs --view top --out out.png --size 400x300", false, false, false},
    {"render scene.vxs --view top --out out.png --size 400x300 --labels --links", false, true,
     true},
    {"render scene.vxs --labels selected --links --view top --out out.png --size 400x300", false,
     false, true},
    {"render top out.png 400x300 --labels all", true, true, false},
    // Links drawn once are resolved again after the door's target name changes.
    {"render top out.png 400x300 --links\nselect gate\nset \"Target Name\" elsewhere\n"
     "select\nrender top out.png 400x300 --links",
     true, false, false},
};

TEST(RenderedOverlay, LabelsAndLinksAppearAsAskedBesideAndBetweenTheHelpers) {
    const std::string folder = makeScratchFolder("overlay");
    ASSERT_TRUE(writeFile(folder + "\\scene.script", sceneScript));
    HostRun made = runHost("run scene.script", folder);
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const IPoint2 hall = pixelOf(TRIGGER_AT), gate = pixelOf(DOOR_AT);
    const IPoint2 middle((hall.x + gate.x) / 2, hall.y);
    for (const RenderCase& c : cases) {
        DeleteFileA((folder + "\\out.png").c_str());
        const std::string script = "load scene.vxs\n" + std::string(c.how);
        if (c.script) {
            ASSERT_TRUE(writeFile(folder + "\\render.script", script));
        }
        HostRun run = runHost(c.script ? "run render.script" : c.how, folder);
        ASSERT_EQ(run.exitCode, 0) << c.how << ": " << run.err;
        PngImage png(folder + "\\out.png");
        ASSERT_TRUE(png.loaded()) << c.how;
        // The two lines of the label start 8 right of and 6 below the pivot.
        const IPoint2 label(hall.x + LABEL_OFFSET_X, hall.y + LABEL_OFFSET_Y);
        const int labelPixels = countColour(png, UNSELECTED_TRIPOD, label,
                                            IPoint2(label.x + 60, label.y + 2 * FONT_HEIGHT + 2));
        EXPECT_EQ(labelPixels > 10, c.labels) << c.how << ": " << labelPixels << " label pixels";
        EXPECT_EQ(png.at(middle) == LINK_COLOUR, c.link) << c.how;
    }
}

const Point3 STROBE_AT(-60, 0, 0), STEADY_AT(60, 0, 0);

// Every channel of every pixel of a light's glow square, added up.
long glowSum(const PngImage& png, IPoint2 pivot) {
    long sum = 0;
    for (int y = pivot.y - GLOW_RADIUS; y <= pivot.y + GLOW_RADIUS; ++y)
        for (int x = pivot.x - GLOW_RADIUS; x <= pivot.x + GLOW_RADIUS; ++x) {
            const Rgb c = png.at(IPoint2(x, y));
            sum += c.r + c.g + c.b;
        }
    return sum;
}

// A fast strobe is normal at step 0 and dark at step 1; a normal light is the same at both.
TEST(RenderedOverlay, TheTimeGivenPicksEachLightsStepOfItsStyle) {
    const std::string folder = makeScratchFolder("light-styles");
    ASSERT_TRUE(writeFile(folder + "\\lights.script",
                          "create VexalEntity at -60 0 0 as strobe\nselect strobe\n"
                          "set \"Fast Strobe\"\ncreate VexalEntity at 60 0 0 as steady\n"
                          "select\nsave lights.vxs\nrender top first.png 400x300 --time 0\n"));
    HostRun made = runHost("run lights.script", folder);
    ASSERT_EQ(made.exitCode, 0) << made.err;
    for (const char* how : {"--out second.png --time 0.15", "--out still.png"}) {
        HostRun run =
            runHost(std::string("render lights.vxs --view top --size 400x300 ") + how, folder);
        ASSERT_EQ(run.exitCode, 0) << how << ": " << run.err;
    }
    const PngImage first(folder + "\\first.png"), second(folder + "\\second.png"),
        still(folder + "\\still.png");
    ASSERT_TRUE(first.loaded() && second.loaded() && still.loaded());
    const IPoint2 strobe = pixelOf(STROBE_AT, {STROBE_AT, STEADY_AT}),
                  steady = pixelOf(STEADY_AT, {STROBE_AT, STEADY_AT});
    EXPECT_GT(glowSum(first, strobe), glowSum(second, strobe));
    EXPECT_EQ(glowSum(first, steady), glowSum(second, steady));
    EXPECT_GT(glowSum(first, steady), glowSum(still, steady));
}

}  // namespace
