// Importing map text into helpers: a map of every dialect with its entities, positions and
// pairs; what fits the record, what rides in its pairs, and what is kept beyond it.
#include <gtest/gtest.h>
#include <algorithm>
#include "map_check.h"
#include "mapfile_test_support.h"

namespace {

struct Expected {
    const char* name;
    const char* lines;  // what export writes back: "key=value|..."
};

struct Dialect {
    const char* file;
    int version;
    size_t entities, brushes;
    std::vector<Expected> helpers;
};

const Dialect dialects[] = {
    {"standard.map",
     0,
     3,
     2,
     {{"d1", "classname=func_door|origin=32 8 64|angle=90|targetname=d1|wait=0.5"},
      {"info_player_start_1", "classname=info_player_start|origin=16 -32 24|angle=270"}}},
    {"texture_axes.map",
     0,
     3,
     3,
     {{"func_button_1", "classname=func_button|origin=0 0 40|target=d1"},
      {"a light with a style", "classname=light|origin=0 0 96.5|spawnflags=1|style=5|light=300"}}},
    {"brushdef.map",
     1,
     3,
     2,
     {{"lift", "classname=func_plat|origin=0 0 8|targetname=lift"},
      {"entity 2", "classname=item_key1|origin=8 8 8"}}},
    {"brushdef3.map",
     2,
     3,
     3,
     {{"entity 1", "classname=trigger_once|origin=120 10 30|target=lift"},
      {"entity 2", "classname=func_door|origin=16 0 32|spawnflags=42"}}},
};

TEST(MapImport, EveryDialectGivesItsEntitiesPositionsAndPairs) {
    for (const Dialect& d : dialects) {
        const std::string text = dataFile(d.file);
        MapText map = readMap(text);
        size_t brushes = 0;
        for (const MapEntity& e : map.entities) brushes += e.brushes.size();
        EXPECT_EQ(map.version, d.version) << d.file;
        EXPECT_EQ(map.entities.size(), d.entities) << d.file;
        EXPECT_EQ(brushes, d.brushes) << d.file;
        MapImport imported = importText(text);
        // The world comes first, a node like any other.
        ASSERT_EQ(imported.helpers.size(), d.helpers.size() + 1) << d.file;
        EXPECT_EQ(imported.helpers[0].name, "worldspawn") << d.file;
        for (size_t i = 0; i < d.helpers.size(); ++i) {
            const ImportedHelper& h = imported.helpers[i + 1];
            EXPECT_EQ(h.name, d.helpers[i].name) << d.file;
            // The record's lines at the node's position: where import put it.
            EXPECT_EQ(exportedLines(entryOf(h).record, h.position), d.helpers[i].lines) << d.file;
        }
        EXPECT_FALSE(imported.hasError()) << d.file;
    }
}

TEST(MapImport, TheDoorsFlagsTickItsBoxesAndTheRestStaysAPair) {
    MapImport imported = importText(dataFile("brushdef3.map"));
    ASSERT_EQ(imported.helpers.size(), 3u);
    HelperRecord door;
    std::string error;
    ASSERT_TRUE(readHelperRecord(*imported.helpers[2].helper, door, error));
    EXPECT_EQ(door.props.goldKey, 1);
    EXPECT_EQ(door.props.toggle, 1);
    EXPECT_EQ(door.props.startOpen + door.props.dontLink + door.props.silverKey, 0);
    EXPECT_EQ(std::string(door.props.keyValueText).substr(0, 13), "spawnflags|2|");
}

struct Mapping {
    const char* name;
    const char* entity;    // the keys after "classname"
    const char* exported;  // what export writes back: no origin where none was read
    size_t notes;          // the note that an entity without origin is placed at 0 0 0 too
};

const Mapping mappings[] = {
    {"the worked door",
     "\"classname\" \"func_door\"\n\"angle\" \"90\"\n\"speed\" \"120\"\n\"targetname\" "
     "\"gold_door\"\n"
     "\"sounds\" \"1\"\n\"spawnflags\" \"40\"\n\"target\" \"vault\"",
     "classname=func_door|angle=90|speed=120|targetname=gold_door|sounds=1|"
     "spawnflags=40|target=vault",
     1},
    {"values no field holds",
     "\"classname\" \"func_door\"\n\"wait\" \"0.5\"\n\"sounds\" \"0\"\n\"angle\" \"090\"\n"
     "\"lip\" \"4294967296\"\n\"spawnflags\" \"42\"",
     "classname=func_door|spawnflags=42|wait=0.5|sounds=0|angle=090|lip=4294967296", 1},
    {"a light's style outside its list",
     "\"classname\" \"light_globe\"\n\"style\" \"32\"\n\"spawnflags\" \"3\"",
     "classname=light_globe|spawnflags=3|style=32", 1},
    {"page keys of another class are pairs",
     "\"classname\" \"func_wall\"\n\"speed\" \"120\"\n\"origin\" \"1 2 3\"",
     "classname=func_wall|origin=1 2 3|speed=120", 0},
    {"pairs that do not fit the record follow its own",
     "\"classname\" \"func_wall\"\n\"a\" \"1\"\n\"b\" \"x|y\"\n\"c\" \"3\"\n\"d\" \"4\"\n\"e\" "
     "\"5\"\n"
     "\"f\" \"6\"\n\"g\" \"7\"\n\"h\" \"8\"\n\"i\" \"9\"\n\"j\" \"10\"\n\"\" \"no key\"",
     "classname=func_wall|a=1|c=3|d=4|e=5|f=6|g=7|h=8|i=9|b=x|y|j=10|=no key", 1},
    {"a cell of more than 79 characters follows the record",
     "\"classname\" \"func_wall\"\n\"message\" "
     "\"1234567890123456789012345678901234567890123456789012345678901234567890123456789X\"",
     "classname=func_wall|message="
     "1234567890123456789012345678901234567890123456789012345678901234567890123456789X",
     1},
};

TEST(MapImport, WhatFitsTheRecordGoesToItsFieldAndTheRestToThePairs) {
    for (const Mapping& m : mappings) {
        MapImport imported = importText(std::string("{\n") + m.entity + "\n}\n");
        ASSERT_EQ(imported.helpers.size(), 1u) << m.name;
        EXPECT_EQ(exportedLines(imported.helpers[0]), m.exported) << m.name;
        EXPECT_EQ(imported.notes.size(), m.notes) << m.name;
        for (const ImportNote& note : imported.notes) EXPECT_FALSE(note.error) << note.text;
    }
}

TEST(MapImport, ClassnamesOutsideTheCatalogueWarnAndOverlongOnesSkipTheEntity) {
    const std::string longName(80, 'x');
    MapImport imported = importText("{\n\"classname\" \"func_lava\"\n}\n{\n\"classname\" \"" +
                                    longName + "\"\n}\n{\n}\n");
    ASSERT_EQ(imported.helpers.size(), 1u);
    EXPECT_EQ(imported.helpers[0].name, "func_lava_1");
    EXPECT_EQ(imported.helpers[0].position, Point3());
    ASSERT_EQ(imported.notes.size(), 4u);
    EXPECT_FALSE(imported.notes[0].error);  // outside the catalogue
    EXPECT_FALSE(imported.notes[1].error);  // placed at 0 0 0
    EXPECT_EQ(imported.notes[2].line, 5);
    EXPECT_TRUE(imported.notes[2].error) << imported.notes[2].text;
    EXPECT_TRUE(imported.notes[3].error);  // no classname
    EXPECT_TRUE(imported.hasError());
}

// A number no float holds cannot place a node, nor be saved: its entity is refused at the
// number, and the entities around it are imported.
struct Placement {
    const char* name;
    const char* entity;  // the keys and brushes after "classname", from line 3
    int line, column;    // of the note
    bool refused;
    const char* message;
};

const Placement placements[] = {
    {"nan origin", "\"origin\" \"0 nan 0\"", 3, 13, true, "\"nan\" is not a finite number"},
    {"inf origin", "\"origin\" \"inf 0 0\"", 3, 11, true, "\"inf\" is not a finite number"},
    {"infinity origin", "\"origin\"\t\"1 2  infinity\"", 3, 16, true, "is not a finite number"},
    {"origin beyond a float", "\"origin\" \"1e308 0 0\"", 3, 11, true,
     "\"1e308\" is out of a float's range"},
    {"origin just beyond a float", "\"origin\" \"0 0 3.5e38\"", 3, 15, true,
     "out of a float's range"},
    {"origin below a float", "\"origin\" \"1e-50 0 0\"", 3, 11, true, "out of a float's range"},
    {"brush at 1e300", "{\n( 0 0 0 ) ( 1e300 0 0 ) ( 0 1 0 ) T 0 0 0 1 1\n}", 4, 13, true,
     "brush or patch number \"1e300\" is out of a float's range"},
    {"patch point nan",
     "{\npatchDef2\n{\nT\n( 1 2 0 0 0 )\n(\n( ( 0 0 0 0 0 ) ( 0 nan 0 0 0 ) )\n)\n}\n}", 9, 21,
     true, "\"nan\" is not a finite number"},
    {"two numbers", "\"origin\" \"1 2\"", 3, 11, false, "the origin \"1 2\" is not three numbers"},
    {"words", "\"origin\" \"a b c\"", 3, 11, false, "is not three numbers"},
};

TEST(MapImport, ANumberNoFloatHoldsRefusesItsEntityThereAndTheRestIsImported) {
    for (const Placement& p : placements) {
        const std::string text = std::string("{\n\"classname\" \"func_wall\"\n") + p.entity +
                                 "\n}\n{\n\"classname\" \"light\"\n\"origin\" \"1 2 3\"\n}\n";
        const MapImport imported = importText(text);
        ASSERT_EQ(imported.helpers.size(), p.refused ? 1u : 2u) << p.name;
        EXPECT_EQ(imported.helpers.back().position, Point3(1, 2, 3)) << p.name;
        ASSERT_FALSE(imported.notes.empty()) << p.name;
        const ImportNote& note = imported.notes[0];
        EXPECT_EQ(note.error, p.refused) << p.name;
        EXPECT_EQ(note.line, p.line) << p.name;
        EXPECT_EQ(note.column, p.column) << p.name;
        EXPECT_NE(note.text.find(p.message), std::string::npos) << p.name << ": " << note.text;
    }
    const std::vector<MapFinding> findings = checkMapText(
        readMap(std::string("{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"light\"\n") +
                placements[0].entity + "\n}\n"),
        freshRecord());
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(formatMapFinding("m.map", findings[0]).substr(0, 21), "m.map:6:13: error: li");
}

// The game takes the last line of a key: so does import, telling each line left out.
struct TwiceGiven {
    const char* name;
    const char* entity;
    const char* exported;
    const char* nodeName;
};

const TwiceGiven twiceGiven[] = {
    {"classname", "\"classname\" \"func_door\"\n\"origin\" \"1 2 3\"\n\"classname\" \"light\"",
     "classname=light|origin=1 2 3", "light_1"},
    {"origin", "\"classname\" \"light\"\n\"origin\" \"1 2 3\"\n\"origin\" \"4 5 6\"",
     "classname=light|origin=4 5 6", "light_1"},
    {"targetname", "\"classname\" \"light\"\n\"targetname\" \"a\"\n\"targetname\" \"b\"",
     "classname=light|targetname=b", "b"},
    {"spawnflags of a class without pages",
     "\"classname\" \"func_wall\"\n\"spawnflags\" \"1\"\n\"spawnflags\" \"2\"",
     "classname=func_wall|spawnflags=2", "func_wall_1"},
    {"a page key", "\"classname\" \"func_door\"\n\"speed\" \"100\"\n\"speed\" \"120\"",
     "classname=func_door|speed=120", "func_door_1"},
};

TEST(MapImport, AKeyGivenTwiceTakesTheLastWithANoteAtTheLineLeftOut) {
    for (const TwiceGiven& t : twiceGiven) {
        const MapImport imported = importText(std::string("{\n") + t.entity + "\n}\n");
        ASSERT_EQ(imported.helpers.size(), 1u) << t.name;
        EXPECT_EQ(imported.helpers[0].name, t.nodeName) << t.name;
        EXPECT_EQ(exportedLines(imported.helpers[0]), t.exported) << t.name;
        const auto note =
            std::find_if(imported.notes.begin(), imported.notes.end(), [](const ImportNote& n) {
                return n.text.find("a later line of the key replaces it") != std::string::npos;
            });
        ASSERT_NE(note, imported.notes.end()) << t.name;
        EXPECT_EQ(note->line, t.name == std::string("classname") ? 2 : 3) << t.name;
    }
}

TEST(MapImport, AMessageQuotesAShortPieceOfAHugeValue) {
    const std::string huge(1 << 20, 'x');
    for (const std::string& entity : {"\"classname\" \"" + huge + "\"",
                                      "\"classname\" \"light\"\n\"origin\" \"" + huge + "\""}) {
        const MapImport imported = importText("{\n" + entity + "\n}\n");
        ASSERT_FALSE(imported.notes.empty());
        EXPECT_LT(imported.notes[0].text.size(), 200u) << imported.notes[0].text.substr(0, 300);
        EXPECT_NE(imported.notes[0].text.find("(1048576 bytes)"), std::string::npos);
    }
}

}  // namespace
