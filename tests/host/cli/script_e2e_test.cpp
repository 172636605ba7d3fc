// vexalhost run SCRIPT, end to end: the bundled example, the errors a script can make,
// and edits made through the pages that survive a save and a load in a fresh process.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include "host_process.h"
#include "map_text.h"

namespace {

// The boxes of a world made of axis-aligned box brushes: each plane's normal is an axis.
std::vector<std::pair<MapVector, MapVector>> worldBoxes(const MapText& map) {
    std::vector<std::pair<MapVector, MapVector>> boxes;
    for (const MapBrush& brush : map.entities.at(0).brushes) {
        MapVector low, high;
        for (uint32_t i = 0; i < brush.count; ++i) {
            const MapPlane& p = map.planes[brush.first + i];
            const double* axis[] = {&p.normal.x, &p.normal.y, &p.normal.z};
            double* lowAxis[] = {&low.x, &low.y, &low.z};
            double* highAxis[] = {&high.x, &high.y, &high.z};
            for (int a = 0; a < 3; ++a) {
                if (*axis[a] > 0.5) *highAxis[a] = p.distance;
                if (*axis[a] < -0.5) *lowAxis[a] = -p.distance;
            }
        }
        boxes.push_back({low, high});
    }
    return boxes;
}

// A flood over 16-unit cells from the player's start must stay inside the world's boxes
// (it never reaches the edge of the grid round them) and reach every entity's origin.
void expectSealedRoundEveryEntity(const std::string& mapFile) {
    MapText map;
    MapTextError error;
    ASSERT_TRUE(readMapText(readFile(mapFile), map, error)) << error.message;
    const auto boxes = worldBoxes(map);
    ASSERT_EQ(boxes.size(), 6u) << "floor, ceiling and four walls";
    MapVector min = boxes[0].first, max = boxes[0].second;
    for (const auto& [low, high] : boxes) {
        min = {std::min(min.x, low.x), std::min(min.y, low.y), std::min(min.z, low.z)};
        max = {std::max(max.x, high.x), std::max(max.y, high.y), std::max(max.z, high.z)};
    }
    constexpr double CELL = 16;
    const int nx = int((max.x - min.x) / CELL) + 2, ny = int((max.y - min.y) / CELL) + 2,
              nz = int((max.z - min.z) / CELL) + 2;
    auto cellOf = [&](const MapVector& p) {
        return std::array<int, 3>{int((p.x - min.x) / CELL) + 1, int((p.y - min.y) / CELL) + 1,
                                  int((p.z - min.z) / CELL) + 1};
    };
    auto solid = [&](int x, int y, int z) {
        const MapVector c{min.x + (x - 0.5) * CELL, min.y + (y - 0.5) * CELL,
                          min.z + (z - 0.5) * CELL};
        for (const auto& [low, high] : boxes)
            if (c.x > low.x && c.x < high.x && c.y > low.y && c.y < high.y && c.z > low.z &&
                c.z < high.z)
                return true;
        return false;
    };
    std::vector<char> reached(size_t(nx) * ny * nz, 0);
    std::vector<std::array<int, 3>> todo;
    std::vector<MapVector> origins;
    for (const MapEntity& entity : map.entities)
        if (const MapPair* origin = entity.find("origin")) {
            MapVector p;
            std::sscanf(origin->value.c_str(), "%lf %lf %lf", &p.x, &p.y, &p.z);
            origins.push_back(p);
            if (entity.find("classname")->value == "info_player_start") todo.push_back(cellOf(p));
        }
    ASSERT_EQ(todo.size(), 1u) << "one player start";
    bool leaks = false;
    while (!todo.empty() && !leaks) {
        const auto [x, y, z] = todo.back();
        todo.pop_back();
        if (x <= 0 || y <= 0 || z <= 0 || x >= nx - 1 || y >= ny - 1 || z >= nz - 1) {
            leaks = true;
            break;
        }
        char& seen = reached[(size_t(z) * ny + y) * nx + x];
        if (seen || solid(x, y, z)) continue;
        seen = 1;
        for (const auto& d : {std::array<int, 3>{1, 0, 0},
                              {-1, 0, 0},
                              {0, 1, 0},
                              {0, -1, 0},
                              {0, 0, 1},
                              {0, 0, -1}})
            todo.push_back({x + d[0], y + d[1], z + d[2]});
    }
    EXPECT_FALSE(leaks) << "the room leaks";
    for (const MapVector& p : origins) {
        const auto [x, y, z] = cellOf(p);
        EXPECT_TRUE(reached[(size_t(z) * ny + y) * nx + x]) << p.x << " " << p.y << " " << p.z;
    }
}

TEST(HostScripts, TheExampleLevelWritesItsSceneAndPicturesAndListsItsNodes) {
    std::string folder = makeScratchFolder("example");
    // The built program itself, as the demo runs it.
    HostRun run = runHostProcess("run \"" + sourcePath("examples/level.script") + "\"", folder);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    for (const char* file :
         {"level.vxs", "level-top.png", "level-front.png", "level-left.png", "level-persp.png"})
        EXPECT_TRUE(fileExists(folder + "\\" + file)) << file;
    EXPECT_EQ(readFile(folder + "\\level-top.png").substr(1, 3), "PNG");
    for (const char* node : {"gold_door", "secret_wall", "lift", "door_button", "hall_trigger",
                             "pulse_trigger", "three_buttons", "teleporter", "arrival",
                             "hall_light", "alarm_light", "arrival_light", "ferry", "hidden_ledge"})
        EXPECT_NE(run.out.find(node), std::string::npos) << node;
    EXPECT_NE(run.out.find("(160, 40, 0)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("(40, -60, 32)"), std::string::npos) << run.out;
    HostRun check = runHost("check level.map", folder);
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_NE(check.out.find("level.map: 0 findings"), std::string::npos) << check.out;
    expectSealedRoundEveryEntity(folder + "\\level.map");
}

struct ScriptError {
    const char* name;
    const char* script;
    const char* message;  // expected in stderr, after "<script>:<line>: "
    int line;
};

const ScriptError errors[] = {
    {"a box thinner than a unit", "create Door at 0 0 0 as d\nbrush d box 0 0 0 64 0.5 64\n",
     "thinner than one unit", 2},
    {"a box's corners inverted", "create Door at 0 0 0 as d\nbrush d box 0 0 64 64 64 0\n",
     "inverted", 2},
    {"a box corner no number", "create Door at 0 0 0 as d\nbrush d box 0 0 x 1 1 1\n",
     "bad number \"x\"", 2},
    {"a texture of two words",
     "create Door at 0 0 0 as d\nbrush d box 0 0 0 8 8 8 texture \"a b\"\n",
     "is no single word of map text", 2},
    {"unknown command", "create Door at 0 0 0\njump door\nsave out.vxs\n",
     "unknown command \"jump\"", 2},
    {"unknown kind", "# a comment\ncreate Dragon at 0 0 0\nsave out.vxs\n",
     "unknown kind \"Dragon\"", 2},
    {"bad number", "create Door at 0 zero 0\nsave out.vxs\n", "bad number \"zero\"", 1},
    {"unknown label",
     "create Door at 0 0 0 as d\nselect d\nset Speed 10\nset Colour red\nsave out.vxs\n",
     "no control \"Colour\" on the shown pages", 4},
    {"missing file", "load nowhere.vxs\nsave out.vxs\n", "nowhere.vxs", 1},
    {"unknown node", "select ghost\nsave out.vxs\n", "no node named \"ghost\"", 1},
    {"bad size", "render top x.png 10by10\nsave out.vxs\n", "bad size \"10by10\"", 1},
    {"a time before the start", "render top x.png --time -1\n", "not \"-1\"", 1},
    {"not a finite number", "create Door at nan 0 0\nsave out.vxs\n", "bad number \"nan\"", 1},
    {"beyond a float", "create Door at 0 0 0 as d\nmove d to 1e39 0 0\n",
     "bad number \"1e39\": it is out of a float's range", 2},
    {"a spinner given no number",
     "create Door at 0 0 0 as d\nselect d\nset Speed nan\nsave out.vxs\n",
     "\"Speed\" cannot take the value \"nan\"", 3},
    {"the axis length given no number",
     "create Door at 0 0 0 as d\nselect d\nset Length inf\nsave out.vxs\n",
     "\"Length\" cannot take the value \"inf\"", 3},
    {"an empty file name", "create Door at 0 0 0\nsave \"\"\nsave out.vxs\n",
     "the file name is empty", 2},
    // Files saved before the mistake are not left behind either.
    {"saved, then an unknown label",
     "create Door at 0 0 0 as d\nsave out.vxs\nrender top out.png\nselect d\nset Colour red\n",
     "no control \"Colour\"", 5},
    {"exported, then an unknown label",
     "create Door at 0 0 0 as d\nexport out.map\nselect d\nset Colour red\n",
     "no control \"Colour\"", 4},
    {"a word for a spinner", "create Door at 0 0 0 as d\nselect d\nsave out.vxs\nset Speed abc\n",
     "\"Speed\" cannot take the value \"abc\"", 4},
    {"a word for a float spinner", "create Door at 0 0 0 as d\nselect d\nset Length abc\n",
     "\"Length\" cannot take the value \"abc\"", 3},
    {"neither on nor off", "create Door at 0 0 0 as d\nselect d\nset \"Gold Key\" maybe\n",
     "\"Gold Key\" cannot take the value \"maybe\"", 3},
    {"not a line of the list", "create Door at 0 0 0 as d\nselect d\nset Sounds banana\n",
     "\"Sounds\" cannot take the value \"banana\"", 3},
    {"a place that is no number", "create Door at 0 0 0 as d\nsave out.vxs\nmove d to 1 x 3\n",
     "bad number \"x\"", 3},
    {"a grid no level is built on", "create Door at 0 0 0 as d\nsave out.vxs\ngrid 10\n",
     "no grid of \"10\"", 3},
    {"a move beyond a float", "create Door at 0 0 0 as d\nmove d to 3e38 0 0\nmove d by 3e38 0 0\n",
     "the move would put node 'd' beyond a float's range on x", 3},
    {"a frozen node moved", "create Door at 0 0 0 as d\nfreeze d\nmove d to 8 0 0\n",
     "node 'd' is frozen", 3},
    {"a box on a point entity", "create \"Teleport Dest\" at 0 0 0 as d\nbrush d box 0 0 0 8 8 8\n",
     "node 'd' is of the class info_teleport_destination, which the game places at its origin", 2},
    {"an import of a file the script wrote", "create Door at 0 0 0\nsave out.map\nimport out.map\n",
     "out.map:1:", 3},
    {"a helper firing itself", "create Door at 0 0 0 as d\nsave out.vxs\nlink d to d\n",
     "\"d\" cannot fire itself", 3},
};

TEST(HostScripts, EachErrorNamesItsLineAndNothingIsSaved) {
    for (const ScriptError& e : errors) {
        std::string folder = makeScratchFolder(std::string("error-") + std::to_string(e.line) +
                                               "-" + std::to_string(&e - errors));
        HostRun run = runScript(folder, "bad.script", e.script);
        EXPECT_NE(run.exitCode, 0) << e.name;
        std::string prefix = "bad.script:" + std::to_string(e.line) + ": ";
        EXPECT_NE(run.err.find(prefix), std::string::npos) << e.name << ": " << run.err;
        EXPECT_NE(run.err.find(e.message), std::string::npos) << e.name << ": " << run.err;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\out.*").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << e.name << ": " << found.cFileName;
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
}

// A script's files are replaced all together or not at all: one that cannot be put in
// place (its name is a folder's) leaves the other files as they were.
TEST(HostScripts, AFileThatCannotBePutInPlaceReplacesNone) {
    std::string folder = makeScratchFolder("all-or-none");
    writeFile(folder + "\\a.vxs", "old bytes");
    CreateDirectoryA((folder + "\\z.vxs").c_str(), nullptr);
    HostRun run =
        runScript(folder, "two.script", "create Door at 0 0 0 as d\nsave a.vxs\nsave z.vxs\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("z.vxs: cannot write the file"), std::string::npos) << run.err;
    const std::vector<unsigned char> kept = readFileBytes(folder + "\\a.vxs");
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "old bytes");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.script-*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "left behind: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// A mark before the first word, nodes named twice (and 1,500 times), helpers at the edge of
// the float range.
TEST(HostScripts, OddButValidScriptsRunToTheEnd) {
    std::string folder = makeScratchFolder("odd");
    std::string freezeMany = "freeze";
    for (int i = 0; i < 1500; ++i) freezeMany += " a";
    HostRun run =
        runScript(folder, "odd.script",
                  "\xEF\xBB\xBF"
                  "create Door at 0 0 0 as a\ncreate Door at 3e38 0 0 as far\n"
                  "create Door at 0 -3e38 0 as low\nmove a a by 1 0 0\nfreeze a a\nhide a a\n"
                  "select a a\nrender top small.png 64x48\nrender persp big.png\n"
                  "delete far far low\n" +
                      freezeMany + "\nlist\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_NE(run.out.find("(1, 0, 0)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("selected frozen hidden"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("far"), std::string::npos) << run.out;
    EXPECT_TRUE(fileExists(folder + "\\big.png"));
}

// The scene files kept from fuzzing and fault reports that load: listed one row a node,
// and drawn in every view at a size where a stray write would crash.
TEST(HostScripts, ReproducerScenesListAndRender) {
    std::string folder = makeScratchFolder("reproducers");
    for (const char* name : {"position-3e38", "axis-length-nan", "axis-length-3e38",
                             "name-with-line-break", "key-text-byte-98"}) {
        const std::string scene =
            "\"" +
            sourcePath(std::string("tests/fuzz/reproducers/scene/accepted-") + name + ".vxs") +
            "\"";
        HostRun list = runHost("list " + scene, folder);
        EXPECT_EQ(list.exitCode, 0) << name << ": " << list.err;
        EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 2) << list.out;
        for (const char* view : {"top", "persp"}) {
            HostRun render = runHost(
                "render " + scene + " --view " + view + " --out r.png --size 96x72", folder);
            EXPECT_EQ(render.exitCode, 0) << name << " " << view << ": " << render.err;
        }
    }
}

TEST(HostScripts, ANumberBeyondASpinnersLimitsOrATextBeyondItsRoomIsCutWithAWarning) {
    std::string folder = makeScratchFolder("limits");
    HostRun run =
        runScript(folder, "limits.script",
                  "create Door at 0 0 0 as d\nselect d\nset Speed 5000\nset Wait -7\nset Lip 12\n"
                  "set Message " +
                      std::string(80, 'm') + "\nset Message " + std::string(79, 'm') + "\npages\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* warning :
         {"limits.script:3: warning: Speed 5000 is above the most, 999; 999 set",
          "limits.script:4: warning: Wait -7 is below the least, -1; -1 set",
          "limits.script:6: warning: Message of 80 characters is above the most, 79; the first "
          "79 set"})
        EXPECT_NE(run.err.find(warning), std::string::npos) << run.err;
    for (const char* within : {"limits.script:5", "limits.script:7"})
        EXPECT_EQ(run.err.find(within), std::string::npos) << within << " is within the limits";
    for (const char* shown : {"Speed: 999", "Wait: -1", "Lip: 12"})
        EXPECT_NE(run.out.find(shown), std::string::npos) << shown << " in " << run.out;
}

TEST(HostScripts, EachSelectedHelperShowsItsOwnPagesAndAClassPickChangesThem) {
    std::string folder = makeScratchFolder("follow");
    HostRun run = runScript(folder, "follow.script",
                            "create VexalEntity at 0 0 0 as lamp\ncreate Door at 50 0 0 as door\n"
                            "select lamp\nselect door\npages\nset Class light\npages\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const size_t picked = run.out.find("Class: light");
    ASSERT_NE(picked, std::string::npos) << run.out;
    const std::string door = run.out.substr(0, picked), light = run.out.substr(picked);
    EXPECT_NE(door.find("Door Params"), std::string::npos) << door;
    EXPECT_EQ(door.find("Light Params"), std::string::npos) << door;
    EXPECT_NE(light.find("Light Params"), std::string::npos) << light;
    EXPECT_EQ(light.find("Door Params"), std::string::npos) << light;
}

TEST(HostScripts, TheWindowWithoutADisplaySaysSoAndFails) {
    // The tests run with Wine's null graphics driver: no display.
    HostRun run = runHostProcess("window", makeScratchFolder("no-display"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
}

TEST(HostScripts, AnUnknownLabelListsTheLabelsOfTheShownPages) {
    std::string folder = makeScratchFolder("labels");
    HostRun run =
        runScript(folder, "labels.script", "create Door at 0 0 0 as d\nselect d\nset Colour red\n");
    EXPECT_EQ(run.exitCode, 1);
    for (const char* part :
         {"\"Door Params\" has", "\"Target Name\"", "\"Gold Key\"", "\"Sounds\"",
          "\"Parameters\" has", "\"Axis\"", "\"Map Parameters\" has", "\"Key 1\"", "\"Value 8\""})
        EXPECT_NE(run.err.find(part), std::string::npos) << part << " in " << run.err;
}

TEST(HostScripts, PageEditsSurviveASaveAndALoadInAFreshProcess) {
    std::string folder = makeScratchFolder("roundtrip");
    writeFile(folder + "\\edit.script",
              "create Door at 10 20 0 as door\n"
              "select door\n"
              "set Angle 270\nset Speed 75\nset Wait -1\nset Lip 12\nset Health 40\n"
              "set Damage 5\nset \"Target Name\" vault\nset Message \"Locked tight\"\n"
              "set Sounds \"screech metal\"\nset Toggle on\nset \"Silver Key\" on\n"
              "set \"Key 3\" delay\nset \"Value 3\" 1.5\n"
              "set Length 35\nset Axis off\n"
              "save door.vxs\n");
    HostRun edit = runHostProcess("run edit.script", folder);
    ASSERT_EQ(edit.exitCode, 0) << edit.err;

    writeFile(folder + "\\show.script", "load door.vxs\nselect door\npages\n");
    HostRun show = runHostProcess("run show.script", folder);
    ASSERT_EQ(show.exitCode, 0) << show.err;
    const char* shown[] = {
        "Angle: 270",
        "Speed: 75",
        "Wait: -1",
        "Lip: 12",
        "Health: 40",
        "Damage: 5",
        "Target Name: vault",
        "Message: Locked tight",
        "Sounds: screech metal",
        "Toggle: 1",
        "Silver Key: 1",
        "Gold Key: 0",
        "Key 3: delay",
        "Value 3: 1.5",
        "Axis: 0",
        "Class: func_door",
    };
    for (const char* line : shown)
        EXPECT_NE(show.out.find(line), std::string::npos) << line << " in\n" << show.out;
    EXPECT_NE(show.out.find("Length: 35"), std::string::npos) << show.out;
}

TEST(HostScripts, ListAndRenderWorkWithoutAScript) {
    std::string folder = makeScratchFolder("cli");
    ASSERT_EQ(runScript(folder, "make.script",
                        "create Door at 5 6 7 as d\ncreate Button at 1 2 3 as b\nsave s.vxs\n")
                  .exitCode,
              0);
    HostRun list = runHost("list s.vxs", folder);
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_NE(list.out.find("(5, 6, 7)"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("(1, 2, 3)"), std::string::npos) << list.out;
    HostRun render = runHost("render s.vxs --view front --out f.png --size 320x200", folder);
    EXPECT_EQ(render.exitCode, 0) << render.err;
    EXPECT_TRUE(fileExists(folder + "\\f.png"));
    HostRun missing = runHost("list nowhere.vxs", folder);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("nowhere.vxs"), std::string::npos);
}

// Each kind of step, undone and redone: the scene file before it and after its undo are the
// same bytes, and so are the files after it and after its redo.
// A page edit still open when another step starts becomes a step first: undo takes the
// move, the latest, and leaves the speed.
TEST(HostScripts, UndoTakesTheLatestStepWhenAPageEditCameBefore) {
    std::string folder = makeScratchFolder("undo-order");
    HostRun run =
        runScript(folder, "order.script",
                  "create Door at 0 0 0 as d\nselect d\nset Speed 120\nmove d by 16 0 0\nundo\n"
                  "list\npages\nundo\npages\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("(0, 0, 0)"), std::string::npos) << run.out;
    const size_t first = run.out.find("Speed: 120");
    EXPECT_NE(first, std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Speed: 0", first), std::string::npos) << "the second undo" << run.out;
}

TEST(HostScripts, UndoAndRedoGiveBackTheSameSceneBytesForEachKindOfStep) {
    const char* actions[] = {"create Button at 5 0 0 as b",
                             "brush d box -8 -8 0 8 8 64 texture door",
                             "brush worldspawn box -64 -64 -16 64 64 0",
                             "move d by 5 0 0",
                             "move d b to 30 40 8",
                             "link b to d",
                             "rename d gold",
                             "clone gold as copy",
                             "freeze gold copy",
                             "hide copy",
                             "select gold\nset Speed 120\nset \"Target Name\" vault",
                             "delete b copy",
                             "brush gold clear"};
    std::string script = "create Door at 0 0 0 as d\n";
    const int count = sizeof actions / sizeof actions[0];
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        script += "select\nsave a" + n + ".vxs\n" + actions[i] + "\nselect\nsave b" + n +
                  ".vxs\nundo\nselect\nsave c" + n + ".vxs\nredo\nselect\nsave d" + n + ".vxs\n";
    }
    script += "undo 100\nredo 2\nundo 3\n";
    std::string folder = makeScratchFolder("undo");
    HostRun run = runScript(folder, "undo.script", script);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i), at = folder + "\\";
        SCOPED_TRACE(actions[i]);
        EXPECT_NE(readFile(at + "a" + n + ".vxs"), readFile(at + "b" + n + ".vxs"));
        EXPECT_EQ(readFile(at + "a" + n + ".vxs"), readFile(at + "c" + n + ".vxs"));
        EXPECT_EQ(readFile(at + "b" + n + ".vxs"), readFile(at + "d" + n + ".vxs"));
    }
    writeFile(folder + "\\none.script", "undo\n");
    HostRun none = runHost("run none.script", folder);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.err.find("none.script:1: nothing to undo"), std::string::npos) << none.err;
}

}  // namespace
