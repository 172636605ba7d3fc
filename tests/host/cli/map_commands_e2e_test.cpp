// vexalhost export, import and check end to end: the worked door through its pages, the
// example level's round trip, and bad maps that import and write nothing.
#include <gtest/gtest.h>
#include <algorithm>
#include "host_process.h"

namespace {

TEST(HostMapCommands, TheWorkedDoorExportsItsLinesInOrder) {
    std::string folder = makeScratchFolder("map-door");
    HostRun run = runScript(
        folder, "door.script",
        "create Door at 0 0 0 as gold_door\nselect gold_door\nset Angle 90\nset Speed 120\n"
        "set \"Target Name\" gold_door\nset Sounds stone\nset \"Gold Key\" on\n"
        "set Toggle on\nset \"Key 1\" target\nset \"Value 1\" vault\nexport door.map\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFile(folder + "\\door.map"),
              "{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"func_door\"\n"
              "\"origin\" \"0 0 0\"\n\"angle\" \"90\"\n\"speed\" \"120\"\n"
              "\"targetname\" \"gold_door\"\n\"sounds\" \"1\"\n\"spawnflags\" \"40\"\n"
              "\"target\" \"vault\"\n}\n");
}

TEST(HostMapCommands, TheExampleLevelExportsImportsAndExportsTheSameText) {
    std::string folder = makeScratchFolder("map-roundtrip");
    ASSERT_EQ(runHost("run \"" + sourcePath("examples/level.script") + "\"", folder).exitCode, 0);
    // Every brush entity has its box: the check has nothing to say.
    HostRun check = runHost("check level.vxs", folder);
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_NE(check.out.find("level.vxs: 0 findings"), std::string::npos) << check.out;
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

// A test level imported, its door moved and the move undone: the export after the undo is
// the export before the move, byte for byte, and the scene saves and loads to the same bytes.
TEST(HostMapCommands, ALevelsDoorMovedAndMovedBackExportsAsBefore) {
    std::string folder = makeScratchFolder("map-level");
    HostRun run =
        runScript(folder, "level.script",
                  "import \"" + sourcePath("tests/mapfile/data/level_brushdef3.map") +
                      "\"\nexport before.map\nmove gold by 16 0 0\nexport moved.map\nundo\n"
                      "export after.map\nsave level.vxs\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string before = readFile(folder + "\\before.map");
    EXPECT_NE(readFile(folder + "\\moved.map"), before);
    EXPECT_NE(readFile(folder + "\\moved.map").find("( 1 0 0 -80 )"), std::string::npos);
    EXPECT_EQ(readFile(folder + "\\after.map"), before);
    ASSERT_EQ(runHost("export level.vxs again.map", folder).exitCode, 0);
    EXPECT_EQ(readFile(folder + "\\again.map"), before);
    ASSERT_EQ(runScript(folder, "resave.script", "load level.vxs\nsave again.vxs\n").exitCode, 0);
    EXPECT_EQ(readFile(folder + "\\again.vxs"), readFile(folder + "\\level.vxs"));
}

// A level with CR LF line ends and comments everywhere comes back byte for byte: exported
// at once, after edits of every kind undone, and from the saved scene.
TEST(HostMapCommands, AnUntouchedLevelComesBackThroughEditsUndoneAndASavedScene) {
    std::string folder = makeScratchFolder("map-identity");
    std::string level;
    for (const char c : readFile(sourcePath("tests/mapfile/data/level_commented.map")))
        level += c == '\n' ? "\r\n" : std::string(1, c);
    writeFile(folder + "\\level.map", level);
    HostRun run = runScript(folder, "edit.script",
                            "import level.map\nexport first.map\nmove gold by 16 0 0\n"
                            "select gold\nset Speed 120\nrename \"entity 3\" lamp3\n"
                            "delete info_player_start_1\nclone lamp3 as lamp4\nundo 5\n"
                            "export undone.map\nsave level.vxs\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(runHost("export level.vxs saved.map", folder).exitCode, 0);
    for (const char* name : {"first.map", "undone.map", "saved.map"})
        EXPECT_EQ(readFile(folder + "\\" + name), level) << name;
    // A clone takes its entity's block, not the comment lines that belong to its original,
    // and exports the same from a saved scene.
    ASSERT_EQ(runScript(folder, "clone.script",
                        "import level.map\nclone \"a lamp by the door\" as lamp2\n"
                        "export cloned.map\nsave cloned.vxs\n")
                  .exitCode,
              0);
    ASSERT_EQ(runHost("export cloned.vxs cloned-saved.map", folder).exitCode, 0);
    const std::string cloned = readFile(folder + "\\cloned.map");
    EXPECT_EQ(readFile(folder + "\\cloned-saved.map"), cloned);
    const size_t comment = cloned.find("// a lamp by the door");
    EXPECT_EQ(cloned.find("// a lamp by the door", comment + 1), std::string::npos) << cloned;
    EXPECT_NE(cloned.find("}\r\n// lamp2\r\n{\r\n\"classname\" \"light\""), std::string::npos)
        << cloned;
}

// diff tells a reviewer what changed and a version control tool how it ended: 0 the same,
// 1 different, 2 an error at its place.
TEST(HostMapCommands, DiffReportsTheChangesAndExitsByTheOutcome) {
    std::string folder = makeScratchFolder("map-diff");
    const std::string level = readFile(sourcePath("tests/mapfile/data/level_commented.map"));
    std::string moved = level;
    moved.replace(moved.find("\"48 0 64\""), 9, "\"48 8 64\"");
    writeFile(folder + "\\a.map", level);
    writeFile(folder + "\\b.map", moved);
    writeFile(folder + "\\bad.map", "{\n\"classname\" \"light\n}\n");
    const struct {
        const char* arguments;
        int exitCode;
        const char* out;
        const char* err;
    } runs[] = {{"diff a.map a.map", 0, "0 changed, 0 added, 0 removed, 6 unchanged\n", ""},
                {"diff a.map b.map", 1,
                 "~ light \"a lamp by the door\" at 48 8 64\n    moved by 0 8 0\n"
                 "1 changed, 0 added, 0 removed, 5 unchanged\n",
                 ""},
                {"diff a.map b.map --stat", 1, "1 changed, 0 added, 0 removed, 5 unchanged\n", ""},
                {"diff a.map bad.map", 2, "", "bad.map:2:13: unterminated quote"},
                {"diff a.map", 2, "", "unknown command line"}};
    for (const auto& r : runs) {
        HostRun run = runHost(r.arguments, folder);
        EXPECT_EQ(run.exitCode, r.exitCode) << r.arguments;
        run.out.erase(std::remove(run.out.begin(), run.out.end(), '\r'), run.out.end());
        EXPECT_EQ(run.out, r.out) << r.arguments;
        EXPECT_NE(run.err.find(r.err), std::string::npos) << r.arguments << ": " << run.err;
    }
}

TEST(HostMapCommands, CheckOfAMapFileTellsEachFindingAtItsLine) {
    std::string folder = makeScratchFolder("map-check-file");
    writeFile(folder + "\\doors.map",
              "{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"func_door\"\n}\n"
              "{\n\"classname\" \"trigger_relay\"\n}\n");
    HostRun run = runHost("check doors.map", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("doors.map:4:1: warning: func_door_1 (func_door): has no brushes: the "
                           "game gives it no size"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("trigger_relay): warning"), std::string::npos) << run.out;
}

TEST(HostMapCommands, ABadMapImportsNothingAndWritesNothing) {
    std::string folder = makeScratchFolder("map-bad");
    writeFile(folder + "\\bad.map", "{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\n}\n");
    HostRun run = runHost("import bad.map out.vxs", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("bad.map:3:10: unterminated quote"), std::string::npos) << run.err;
    EXPECT_FALSE(fileExists(folder + "\\out.vxs"));
    ASSERT_EQ(runScript(folder, "empty.script", "save empty.vxs\n").exitCode, 0);
    run = runHost("export empty.vxs out.map --base bad.map", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("bad.map:3:10:"), std::string::npos) << run.err;
    EXPECT_FALSE(fileExists(folder + "\\out.map"));
}

TEST(HostMapCommands, CheckReportsADanglingTargetAndFails) {
    std::string folder = makeScratchFolder("map-check");
    ASSERT_EQ(
        runScript(folder, "t.script",
                  "create \"Teleport Trig\" at 0 0 0 as tele\nselect tele\nset \"Key 1\" target\n"
                  "set \"Value 1\" nowhere\nsave t.vxs\n")
            .exitCode,
        0);
    HostRun run = runHost("check t.vxs", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("tele (trigger_teleport): warning: target \"nowhere\" matches no "
                           "helper's target name"),
              std::string::npos)
        << run.out;
}

// An output that is one of the command's inputs, however its path is spelled, is refused
// and the input stays as it was.
TEST(HostMapCommands, AnOutputThatIsAnInputIsRefusedAndWritesNothing) {
    std::string folder = makeScratchFolder("same-file");
    ASSERT_EQ(
        runScript(folder, "make.script",
                  "create Door at 0 0 0 as d\nsave s.vxs\nexport m.map\nnew\nsave empty.vxs\n")
            .exitCode,
        0);
    const struct {
        const char *arguments, *file, *said;
    } cases[] = {{"export s.vxs s.vxs", "s.vxs", "is the scene"},
                 {"export s.vxs .\\S.VXS", "s.vxs", "is the scene"},
                 {"import m.map m.map", "m.map", "is the map"},
                 {"export empty.vxs m.map --base .\\m.map", "m.map", "is the base map"}};
    for (const auto& c : cases) {
        const std::string before = readFile(folder + "\\" + c.file);
        HostRun run = runHost(c.arguments, folder);
        EXPECT_EQ(run.exitCode, 1) << c.arguments;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_EQ(readFile(folder + "\\" + c.file), before) << c.arguments;
    }
}

}  // namespace
