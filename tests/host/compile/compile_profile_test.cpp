// Compile profiles: the text format read back, its mistakes at their lines, the variables.
#include <gtest/gtest.h>
#include "session/compile_profile.h"

namespace {

TEST(CompileProfiles, ReadProfilesStepsLaunchAndDefaults) {
    std::vector<CompileProfile> profiles;
    std::string error;
    ASSERT_TRUE(parseCompileProfiles(exampleProfilesText(), "p.txt", profiles, error)) << error;
    ASSERT_EQ(profiles.size(), 2u);
    const CompileProfile& full = profiles[0];
    EXPECT_EQ(full.name, "Full");
    ASSERT_EQ(full.steps.size(), 3u);
    EXPECT_EQ(full.steps[1].name, "vis");
    EXPECT_EQ(full.steps[1].program, "C:\\tools\\vis.exe");
    EXPECT_EQ(full.steps[1].arguments, "\"${BSP}\"");
    EXPECT_EQ(full.steps[1].folder, "");
    ASSERT_TRUE(full.hasLaunch);
    EXPECT_EQ(full.launch.arguments, "+map ${NAME}");
    EXPECT_EQ(full.launch.folder, "C:\\game");
    EXPECT_FALSE(profiles[1].hasLaunch);
    EXPECT_EQ(findProfile(profiles, "Quick"), &profiles[1]);
    EXPECT_EQ(findProfile(profiles, "quick"), nullptr);

    ASSERT_TRUE(
        parseCompileProfiles("  # spaced\r\nprofile A b\r\n workdir ${WORKDIR}\\out\r\n"
                             "base C:\\w.map\r\nstep s\r\nprogram p.exe\r\n",
                             "p.txt", profiles, error))
        << error;
    EXPECT_EQ(profiles[0].name, "A b");
    EXPECT_EQ(profiles[0].workdir, "${WORKDIR}\\out");
    EXPECT_EQ(profiles[0].base, "C:\\w.map");
}

TEST(CompileProfiles, MistakesAreReportedAtTheirLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"step bsp\n", "p.txt:1: \"step\" before the first \"profile NAME\" line"},
        {"profile A\nprogram x\n", "p.txt:2: \"program\" outside a step (\"step NAME\" first)"},
        {"profile A\nstep s\nprogram x\nflags -v\n",
         "p.txt:4: unknown keyword \"flags\" (profile, workdir, base, step, launch, program, "
         "arguments, folder)"},
        {"profile A\n\nstep s\narguments x\nstep t\n",
         "p.txt:3: step \"s\" has no \"program\" line"},
        {"profile A\nstep s\nprogram x\nprofile A\n", "p.txt:4: a second profile named \"A\""},
        {"profile A\nprofile B\nstep s\nprogram x\n", "p.txt:1: profile \"A\" has no step"},
        {"profile A\nstep s\nprogram x\narguments ${MAPP}\n",
         "p.txt:4: unknown variable ${MAPP} (known: ${MAP} ${BSP} ${NAME} ${WORKDIR})"},
        {"profile A\nstep s\nprogram ${MAP\n", "p.txt:3: \"${\" without its \"}\""},
        {"profile A\nstep s\nprogram x\nprogram y\n", "p.txt:4: a second \"program\" line"},
        {"profile A\nstep s\nprogram x\nlaunch\nprogram g\nlaunch\n",
         "p.txt:6: a second launch step in profile A"},
        {"profile\n", "p.txt:1: a profile needs a name: \"profile NAME\""},
        {"profile A\nstep s\nprogram\n", "p.txt:3: \"program\" needs a value"},
    };
    for (const auto& c : cases) {
        std::vector<CompileProfile> profiles;
        std::string error;
        EXPECT_FALSE(parseCompileProfiles(c.text, "p.txt", profiles, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_TRUE(profiles.empty());
    }
}

TEST(CompileProfiles, AMissingFileIsNamed) {
    std::vector<CompileProfile> profiles;
    std::string error;
    EXPECT_FALSE(readCompileProfiles("no_such_profiles.txt", profiles, error));
    EXPECT_EQ(error.rfind("no_such_profiles.txt: cannot open", 0), 0u) << error;
}

TEST(CompileProfiles, StepsExpandEveryVariableAndRunInTheWorkFolderByDefault) {
    const CompileVariables v = compileVariables("C:\\work", "e1m1");
    CompileStep step{"bsp", "${WORKDIR}\\bsp.exe", "-v \"${MAP}\" ${BSP} ${NAME}${NAME} $ {X}", "",
                     1};
    const CompileStep run = expandedStep(step, v);
    EXPECT_EQ(run.program, "C:\\work\\bsp.exe");
    EXPECT_EQ(run.arguments, "-v \"C:\\work\\e1m1.map\" C:\\work\\e1m1.bsp e1m1e1m1 $ {X}");
    EXPECT_EQ(run.folder, "C:\\work");
    step.folder = "${WORKDIR}\\maps";
    EXPECT_EQ(expandedStep(step, v).folder, "C:\\work\\maps");
}

}  // namespace
