// vexalhost compile and render --pointfile end to end, with the compiler stand-in as the
// profile's programs.
#include <gtest/gtest.h>
#include <algorithm>
#include "host_process.h"
#include "png_image.h"
#include "render/point_path.h"
#include "standin.h"

namespace {

// The host writes its terminal output in text mode.
HostRun withLineFeeds(HostRun run) {
    for (std::string* text : {&run.out, &run.err})
        text->erase(std::remove(text->begin(), text->end(), '\r'), text->end());
    return run;
}

HostRun compile(const std::string& arguments, const std::string& folder) {
    return withLineFeeds(runHostProcess("compile level.vxs " + arguments, folder));
}

// A scene of one helper saved in folder as level.vxs.
void makeLevel(const std::string& folder) {
    ASSERT_EQ(
        runScript(folder, "make.script", "create Door at 0 0 0 as gate\nsave level.vxs\n").exitCode,
        0);
}

std::string profiles(const std::string& bspArguments) {
    return "profile Full\nstep bsp\nprogram " + standinPath() + "\narguments " + bspArguments +
           "\nstep light\nprogram " + standinPath() + "\narguments say lit\n";
}

TEST(HostCompile, StepsRunInOrderOnTheExportedLevel) {
    const std::string folder = makeScratchFolder("compile-ok");
    makeLevel(folder);
    writeFile(folder + "\\profiles.txt", profiles("say \"${NAME} from ${MAP}\""));
    const HostRun run = compile("--profile Full --profiles profiles.txt", folder);
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(readFile(folder + "\\level.map").find("\"classname\" \"func_door\""),
              std::string::npos);
    EXPECT_NE(run.out.find("== bsp (1 of 2): "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nlevel from " + folder + "\\level.map\n== bsp: exit 0 ("),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nlit\n== light: exit 0 ("), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("compile succeeded"), std::string::npos);
}

TEST(HostCompile, AFailingStepGivesItsStatusAndStopsTheRest) {
    const std::string folder = makeScratchFolder("compile-fail");
    makeLevel(folder);
    writeFile(folder + "\\profiles.txt", profiles("points \"${WORKDIR}\\${NAME}.pts\" 4 exit 7"));
    const HostRun run = compile("--profile Full --profiles profiles.txt", folder);
    EXPECT_EQ(run.exitCode, 7) << run.out << run.err;
    EXPECT_NE(run.out.find("level.pts: Leak: 4 points, 1 line skipped (first at line 5)"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("lit"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("compile failed"), std::string::npos);

    // The leak drawn over the level in a picture.
    const HostRun render = runHost(
        "render level.vxs --view top --out leak.png --size 200x150 --pointfile level.pts", folder);
    EXPECT_EQ(render.exitCode, 0) << render.err;
    EXPECT_NE(render.out.find("level.pts: Leak: 4 points"), std::string::npos) << render.out;
    const PngImage picture(folder + "\\leak.png");
    ASSERT_TRUE(picture.loaded());
    int pathPixels = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            pathPixels += picture.at({x, y}) == POINT_PATH_COLOUR;
    EXPECT_GT(pathPixels, 20);
}

TEST(HostCompile, BadProfilesAndMissingProgramsAreSaid) {
    const std::string folder = makeScratchFolder("compile-bad");
    makeLevel(folder);
    writeFile(folder + "\\bad.txt", "profile Full\nstep bsp\nprogram\n");
    writeFile(folder + "\\missing.txt", "profile Full\nstep bsp\nprogram C:\\no\\bsp.exe\n");
    const struct {
        const char* arguments;
        const char* error;
    } cases[] = {
        {"--profile Full --profiles bad.txt", "vexalhost: bad.txt:3: \"program\" needs a value"},
        {"--profile Fast --profiles missing.txt",
         "vexalhost: missing.txt: no profile named \"Fast\" (there are: Full)"},
        {"--profiles missing.txt", "vexalhost: compile needs --profile NAME"},
    };
    for (const auto& c : cases) {
        const HostRun run = compile(c.arguments, folder);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, std::string(c.error) + "\n");
    }
    const HostRun missing = compile("--profile Full --profiles missing.txt", folder);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find("== bsp: no program at \"C:\\no\\bsp.exe\""), std::string::npos)
        << missing.out;
}

}  // namespace
