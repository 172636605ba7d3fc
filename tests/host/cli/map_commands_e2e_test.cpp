// vexalhost export, import and check end to end: the worked door through its pages, the
// example level's round trip, and bad maps that import and write nothing.
#include <gtest/gtest.h>
#include "host_process.h"

namespace {

TEST(HostMapCommands, TheWorkedDoorExportsItsLinesInOrder) {
    std::string folder = makeScratchFolder("map-door");
    writeFile(folder + "\\door.script",
              "create Door at 0 0 0 as gold_door\nselect gold_door\nset Angle 90\nset Speed 120\n"
              "set \"Target Name\" gold_door\nset Sounds stone\nset \"Gold Key\" on\n"
              "set Toggle on\nset \"Key 1\" target\nset \"Value 1\" vault\nexport door.map\n");
    HostRun run = runHost("run door.script", folder);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(folder + "\\door.map"),
              "{\n\"classname\" \"worldspawn\"\n}\n// gold_door\n{\n\"classname\" \"func_door\"\n"
              "\"origin\" \"0 0 0\"\n\"angle\" \"90\"\n\"speed\" \"120\"\n"
              "\"targetname\" \"gold_door\"\n\"sounds\" \"1\"\n\"spawnflags\" \"40\"\n"
              "\"target\" \"vault\"\n}\n");
}

TEST(HostMapCommands, TheExampleLevelExportsImportsAndExportsTheSameText) {
    std::string folder = makeScratchFolder("map-roundtrip");
    ASSERT_EQ(runHost("run \"" + sourcePath("examples/level.script") + "\"", folder).exitCode, 0);
    HostRun check = runHost("check level.vxs", folder);
    EXPECT_EQ(check.exitCode, 0) << check.out;
    HostRun imported = runHost("import level.map again.vxs", folder);
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_TRUE(imported.err.empty()) << imported.err;
    ASSERT_EQ(runHost("export again.vxs again.map", folder).exitCode, 0);
    const std::string first = readFile(folder + "\\level.map");
    EXPECT_NE(first.find("// arrival_light\n{\n\"classname\" \"light_globe\""), std::string::npos);
    EXPECT_EQ(readFile(folder + "\\again.map"), first);
    HostRun list = runHost("list again.vxs", folder);
    EXPECT_NE(
        list.out.find("three_buttons        trigger_counter            -                lift"),
        std::string::npos)
        << list.out;
}

TEST(HostMapCommands, ABadMapImportsNothingAndWritesNothing) {
    std::string folder = makeScratchFolder("map-bad");
    writeFile(folder + "\\bad.map", "{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\n}\n");
    HostRun run = runHost("import bad.map out.vxs", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("bad.map:3:10: unterminated quote"), std::string::npos) << run.err;
    EXPECT_FALSE(fileExists(folder + "\\out.vxs"));
    writeFile(folder + "\\empty.script", "save empty.vxs\n");
    ASSERT_EQ(runHost("run empty.script", folder).exitCode, 0);
    run = runHost("export empty.vxs out.map --base bad.map", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("bad.map:3:10:"), std::string::npos) << run.err;
    EXPECT_FALSE(fileExists(folder + "\\out.map"));
}

TEST(HostMapCommands, CheckReportsADanglingTargetAndFails) {
    std::string folder = makeScratchFolder("map-check");
    writeFile(folder + "\\t.script",
              "create \"Teleport Trig\" at 0 0 0 as tele\nselect tele\nset \"Key 1\" target\n"
              "set \"Value 1\" nowhere\nsave t.vxs\n");
    ASSERT_EQ(runHost("run t.script", folder).exitCode, 0);
    HostRun run = runHost("check t.vxs", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("tele (trigger_teleport): warning: target \"nowhere\" matches no "
                           "helper's target name"),
              std::string::npos)
        << run.out;
}

}  // namespace
