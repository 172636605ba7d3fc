// The check of a map file: one finding a fault, each at the line and column of the pair it
// is about, none for what import itself made or the compiler understands, and the pairs
// kept beyond the record's room read as the record's are.
#include <gtest/gtest.h>
#include <algorithm>
#include "map_check.h"
#include "mapfile_test_support.h"

namespace {

const std::string world = "{\n\"classname\" \"worldspawn\"\n}\n";
const std::string brush = "{\n( 0 0 1 ) ( 0 0 0 ) ( 0 1 0 ) WALL 0 0 0 1 1\n}\n";

// An entity at an origin whose record is full: eight pairs, then the lines given.
std::string fullEntity(const std::string& classname, const std::string& at,
                       const std::string& lines) {
    std::string text = "{\n\"classname\" \"" + classname + "\"\n\"origin\" \"" + at + "\"\n";
    for (char k = 'a'; k < 'i'; ++k) text += std::string("\"_") + k + "\" \"1\"\n";
    return text + lines + "}\n";
}

struct CheckedMap {
    const char* name;
    std::string text;
    std::vector<std::string> findings;  // each the start of one formatted finding, in order
};

const CheckedMap checkedMaps[] = {
    {"a target kept beyond the record reaches its door",
     world + fullEntity("func_button", "0 0 0", "\"target\" \"vault\"\n" + brush) +
         "{\n\"classname\" \"func_door\"\n\"origin\" \"64 0 0\"\n\"targetname\" \"vault\"\n" +
         brush + "}\n",
     {}},
    {"a target to nowhere kept beyond the record, at its value",
     world + fullEntity("func_button", "0 0 0", "\"target\" \"nowhere\"\n" + brush),
     {"m.map:15:11: warning: func_button_1 (func_button): target \"nowhere\" matches no"}},
    {"a target name kept beyond the record",
     world + fullEntity("info_null", "0 0 0", "\"targetname\" \"spot\"\n") +
         "{\n\"classname\" \"trigger_relay\"\n\"origin\" \"8 0 0\"\n\"target\" \"spot\"\n}\n",
     {}},
    {"a classname outside the catalogue once, at its value",
     world + "{\n\"classname\" \"misc_thing\"\n\"origin\" \"0 0 0\"\n}\n",
     {"m.map:5:14: warning: misc_thing_1 (misc_thing): classname outside the catalogue"}},
    {"an entity's finding at its brace",
     world + "  {\n\"classname\" \"func_wall\"\n\"origin\" \"0 0 0\"\n}\n",
     {"m.map:4:3: warning: func_wall_1 (func_wall): has no brushes"}},
    {"groups and detail of the compiler",
     world + "{\n\"classname\" \"func_group\"\n\"_group_kind\" \"layer\"\n}\n" +
         "{\n\"classname\" \"func_group\"\n\"_group_kind\" \"layer\"\n}\n" +
         "{\n\"classname\" \"func_detail\"\n" + brush + "}\n",
     {}},
    {"a door's flags import split between page and pair",
     world + "{\n\"classname\" \"func_door\"\n\"origin\" \"0 0 0\"\n\"spawnflags\" \"72\"\n" +
         brush + "}\n",
     {}},
    {"a second world",
     world + world,
     {"m.map:5:14: error: a second worldspawn entity: a map holds one world, the first; the "
      "entity is left out"}},
    {"an empty map", "", {"m.map:1:1: error: the map holds no entity"}},
    {"a map without a world",
     "{\n\"classname\" \"info_null\"\n\"origin\" \"0 0 0\"\n}\n",
     {"m.map:1:1: error: the map has no worldspawn entity"}},
};

TEST(MapCheck, EachFaultIsOneFindingAtItsPairAndNothingElseIsReported) {
    for (const CheckedMap& map : checkedMaps) {
        std::vector<std::string> findings;
        for (const MapFinding& finding : checkMapText(readMap(map.text), freshRecord()))
            findings.push_back(formatMapFinding("m.map", finding));
        std::string all;
        for (const std::string& finding : findings) all += "\n" + finding;
        EXPECT_EQ(findings.size(), map.findings.size()) << map.name << ":" << all;
        for (size_t i = 0; i < std::min(findings.size(), map.findings.size()); ++i)
            EXPECT_EQ(findings[i].rfind(map.findings[i], 0), 0u) << map.name << ": " << findings[i];
    }
}

}  // namespace
