// The diff of two versions of a level: each kind of change reported once, in the reviewer's
// terms; a moved entity, keys in another order or an entity put in the middle are no
// delete-plus-add; comments and layout are no change.
#include <gtest/gtest.h>
#include "map_diff.h"
#include "mapfile_test_support.h"

namespace {

struct Change {
    const char* name;
    std::vector<std::pair<std::string, std::string>> edits;  // pieces of the level's text
    std::vector<std::string> lines;
    int changed, added, removed;
};

const Change changes[] = {
    {"layout, comments and key order are no change",
     {{"// entity 1\n{\n\t\"speed\"   \"100\"\n\t\"classname\" \"func_door\"\n",
       "// the door\n{\n  \"classname\"  \"func_door\"\n  \"speed\" \"100\" // fast\n"},
      {"\n// end of the level\n", ""}},
     {},
     0,
     0,
     0},
    {"a changed value",
     {{"\"speed\"   \"100\"", "\"speed\"   \"120\""}},
     {"~ func_door \"gold\" at 48 0 48", "    speed: 100 -> 120"},
     1,
     0,
     0},
    {"a key cleared and one added; the entity known by its place",
     {{"\t\"targetname\" \"gold\"\n", "\t\"wait\" \"2\"\n"}},
     {"~ func_door \"entity 1\" at 48 0 48", "    - targetname: gold", "    + wait: 2"},
     1,
     0,
     0},
    {"a moved point entity",
     {{"\"origin\" \"48 0 64\"", "\"origin\" \"64 0 64.0\""}},
     {"~ light \"a lamp by the door\" at 64 0 64", "    moved by 16 0 0"},
     1,
     0,
     0},
    {"a moved and renamed point entity",
     {{"// entity 3\n", "// lamp 3\n"}, {"\"16 -32 96.50\"", "\"16 -16 96.50\""}},
     {"~ light \"lamp 3\" at 16 -16 96.5", "    moved by 0 16 0"},
     1,
     0,
     0},
    {"a brush's texture",
     {{"( 0 8 1 ) ( 0 8 0 ) ( 1 8 0 ) WALL", "( 0 8 1 ) ( 0 8 0 ) ( 1 8 0 ) GOLD"}},
     {"~ func_door \"gold\" at 48 0 48", "    brushes: 0 added, 0 removed, 1 changed"},
     1,
     0,
     0},
    {"a brush added to the world, which no comment names",
     {{"WALL 0 0 0 1 1\n}\n}\n",
       "WALL 0 0 0 1 1\n}\n{\n( -64 0 1 ) ( -64 0 0 ) ( -64 1 0 ) W 0 0 0 1 1\n"
       "( -32 1 0 ) ( -32 0 0 ) ( -32 0 1 ) W 0 0 0 1 1\n( 1 -64 0 ) ( 0 -64 0 ) ( 0 -64 1 ) "
       "W 0 0 0 1 1\n( 0 -32 1 ) ( 0 -32 0 ) ( 1 -32 0 ) W 0 0 0 1 1\n( 0 1 0 ) ( 0 0 0 ) "
       "( 1 0 0 ) W 0 0 0 1 1\n( 1 0 32 ) ( 0 0 32 ) ( 0 1 32 ) W 0 0 0 1 1\n}\n}\n"}},
     {"~ worldspawn at 0 0 8", "    brushes: 1 added, 0 removed, 0 changed"},
     1,
     0,
     0},
    {"an entity put in the middle",
     {{"}\n// entity 3\n",
       "}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 8\"\n}\n// entity 3\n"}},
     {"+ light at 0 0 8"},
     0,
     1,
     0},
    {"a deleted entity and an origin added",
     {{"// entity 3\n{\n\"classname\" \"light\"\n\"origin\" \"16 -32 96.50\"\n\"light\" "
       "\"300\"\n\"light\" \"250\"\n}\n",
       ""},
      {"\"classname\" \"func_group\"\n", "\"classname\" \"func_group\"\n\"origin\" \"0 0 0\"\n"}},
     {"~ func_group at 0 0 0", "    + origin: 0 0 0", "- light \"entity 3\" at 16 -32 96.5"},
     1,
     0,
     1},
};

std::string edited(std::string text, const Change& change) {
    for (const auto& [was, is] : change.edits) {
        const size_t at = text.find(was);
        EXPECT_NE(at, std::string::npos) << change.name << ": " << was;
        if (at != std::string::npos) text.replace(at, was.size(), is);
    }
    return text;
}

TEST(MapDiff, EachChangeIsReportedOnceInTheReviewersTerms) {
    const std::string level = dataFile("level_commented.map");
    const MapText before = readMap(level);
    for (const Change& change : changes) {
        const MapDiff diff = diffMaps(before, readMap(edited(level, change)));
        EXPECT_EQ(diff.lines, change.lines) << change.name;
        EXPECT_EQ(diff.changed, change.changed) << change.name;
        EXPECT_EQ(diff.added, change.added) << change.name;
        EXPECT_EQ(diff.removed, change.removed) << change.name;
        EXPECT_EQ(diff.differs(), change.changed + change.added + change.removed > 0)
            << change.name;
        EXPECT_EQ(diff.changed + diff.unchanged + diff.added,
                  int(readMap(edited(level, change)).entities.size()))
            << change.name;
    }
}

// A brush entity moved in the host: its brushes' numbers change, and the diff says it moved.
TEST(MapDiff, AMovedBrushEntityIsOneMoveWhateverItsNumbers) {
    const std::string level = dataFile("level_brushdef3.map");
    std::vector<HelperEntry> entries = importEntries(level);
    for (HelperEntry& entry : entries)
        if (entry.record.classnameText() == "func_door") entry.position += Point3(16, 0, -8);
    const MapDiff diff = diffMaps(readMap(level), readMap(exportEntries(entries)));
    ASSERT_EQ(diff.lines.size(), 2u) << diff.summary();
    EXPECT_EQ(diff.lines[0].substr(0, 11), "~ func_door");
    EXPECT_EQ(diff.lines[1], "    moved by 16 0 -8");
    EXPECT_EQ(diff.summary(), "1 changed, 0 added, 0 removed, " +
                                  std::to_string(entries.size() - 1) + " unchanged");
}

}  // namespace
