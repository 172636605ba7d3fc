// A level passes through whole: the test level of each form, imported and exported, gives
// the same entities (pairs as multisets), byte-identical brush and patch texts and its
// header lines; a moved entity's geometry follows it exactly and is as read once moved
// back; what one map cannot hold is refused.
#include <gtest/gtest.h>
#include <map>
#include "brush_text.h"
#include "mapfile_test_support.h"

namespace {

const char* const levels[] = {"level_plain.map", "level_texture_axes.map", "level_brushdef.map",
                              "level_brushdef3.map"};

struct EntityText {
    std::multimap<std::string, std::string> pairs;
    std::vector<std::string> brushes;
    bool operator==(const EntityText& o) const { return pairs == o.pairs && brushes == o.brushes; }
};

std::vector<EntityText> entitiesOf(const MapText& map) {
    std::vector<EntityText> entities;
    for (const MapEntity& entity : map.entities) {
        entities.emplace_back();
        for (const MapPair& pair : entity.pairs)
            entities.back().pairs.emplace(pair.key, pair.value);
        for (const MapBrush& brush : entity.brushes)
            entities.back().brushes.emplace_back(map.brushText(brush));
    }
    return entities;
}

HelperEntry& withClassname(std::vector<HelperEntry>& entries, const std::string& classname) {
    for (HelperEntry& entry : entries)
        if (entry.record.classnameText() == classname) return entry;
    ADD_FAILURE() << "no " << classname;
    return entries.front();
}

// The brushes' planes and patch points, read back as one entity.
MapText geometryOf(const std::vector<std::string>& brushes) {
    std::string text = "{\n";
    for (const std::string& brush : brushes) text += brush + "\n";
    return readMap(text + "}\n");
}

TEST(LevelRoundTrip, ImportThenExportGivesTheSameEntitiesBrushesAndHeader) {
    for (const char* level : levels) {
        const std::string text = dataFile(level);
        const MapText map = readMap(text);
        const std::string out = exportEntries(importEntries(text));
        EXPECT_EQ(entitiesOf(readMap(out)), entitiesOf(map)) << level;
        const std::string header = text.substr(0, map.entities.front().offset);
        EXPECT_EQ(out.substr(0, header.size()), header) << level;
        EXPECT_EQ(exportEntries(importEntries(out)), out) << level;
    }
}

TEST(LevelRoundTrip, AMovedEntitysGeometryFollowsExactlyAndMovedBackIsAsRead) {
    const Point3 delta(16, 0, 0);
    for (const char* level : levels)
        for (const char* classname : {"func_door", "worldspawn"}) {
            std::vector<HelperEntry> entries = importEntries(dataFile(level));
            HelperEntry& moved = withClassname(entries, classname);
            const Point3 at = moved.position;
            moved.position = at + delta;
            const MapText before = geometryOf(moved.kept->brushes);
            const MapText after = geometryOf(exportedBrushes(moved));
            ASSERT_EQ(after.planes.size(), before.planes.size()) << level;
            for (size_t i = 0; i < before.planes.size(); ++i) {
                const MapPlane &was = before.planes[i], &is = after.planes[i];
                EXPECT_NEAR(is.normal.x, was.normal.x, 1e-12) << level << " plane " << i;
                EXPECT_NEAR(is.distance, was.distance + was.normal.x * delta.x, 1e-9)
                    << level << " plane " << i;
            }
            ASSERT_EQ(after.points.size(), before.points.size()) << level;
            for (size_t i = 0; i < before.points.size(); ++i)
                EXPECT_EQ(after.points[i].x, before.points[i].x + delta.x) << level;
            moved.position = at;
            EXPECT_EQ(exportedBrushes(moved), moved.kept->brushes) << level << " " << classname;
        }
}

TEST(LevelRoundTrip, OriginsAreWrittenAsReadAndNeverInventedForBrushEntities) {
    std::vector<HelperEntry> entries = importEntries(dataFile("level_plain.map"));
    const std::string lines[] = {linesText(exportedLines(withClassname(entries, "func_door"))),
                                 linesText(exportedLines(withClassname(entries, "trigger_once"))),
                                 linesText(exportedLines(withClassname(entries, "light")))};
    EXPECT_EQ(lines[0].find("origin="), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("origin=0 0 0.0"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("origin=16 -32 96.50"), std::string::npos) << lines[2];
    HelperEntry& light = withClassname(entries, "light");
    light.position = light.position + Point3(0, 0, 1);
    EXPECT_NE(linesText(exportedLines(light)).find("origin=16 -32 97.5"), std::string::npos);
}

TEST(LevelRoundTrip, WhatOneMapCannotHoldIsRefusedAndNothingWritten) {
    std::vector<HelperEntry> mixed = importEntries(dataFile("level_plain.map"));
    const std::vector<HelperEntry> versioned = importEntries(dataFile("level_brushdef3.map"));
    mixed.push_back(withClassname(const_cast<std::vector<HelperEntry>&>(versioned), "func_door"));
    mixed.back().name = "other_door";
    std::vector<HelperEntry> twoWorlds = importEntries(dataFile("level_plain.map"));
    twoWorlds.push_back(withClassname(twoWorlds, "worldspawn"));
    twoWorlds.back().name = "world_2";
    std::vector<HelperEntry> noClassname = importEntries(dataFile("level_plain.map"));
    noClassname.back().record.setClassname("");
    const MapText base = readMap(dataFile("level_plain.map"));
    struct Refusal {
        const char* name;
        const std::vector<HelperEntry>& helpers;
        const MapText* base;
        std::vector<const char*> said;
    } refusals[] = {
        {"two forms", mixed, nullptr, {"plain", "versioned", "node 'other_door'"}},
        {"a base for a scene with its world", mixed, &base, {"own world", "worldspawn"}},
        {"two worlds", twoWorlds, nullptr, {"two world nodes", "'worldspawn'", "'world_2'"}},
        {"no classname", noClassname, nullptr, {"has no classname"}}};
    for (const Refusal& refusal : refusals) {
        std::string out, error;
        EXPECT_FALSE(writeMap(refusal.helpers, refusal.base, out, error)) << refusal.name;
        EXPECT_TRUE(out.empty()) << refusal.name;
        for (const char* word : refusal.said)
            EXPECT_NE(error.find(word), std::string::npos) << refusal.name << ": " << error;
    }
}

struct Move {
    const char* name;
    const char* text;
    MapVector delta;
    const char* moved;
};

const Move moves[] = {
    {"texture-axes offsets follow; unchanged numbers keep their text",
     "{\n( 0 0 1 ) ( -0 0 0.50 ) ( 0 1 0 ) WALL [ 1 0 0 0.50 ] [ 0 -1 0 -0 ] 0 0.5 1\n}",
     {16, 0, 0},
     "{\n( 16 0 1 ) ( 16 0 0.50 ) ( 16 1 0 ) WALL [ 1 0 0 -31.5 ] [ 0 -1 0 -0 ] 0 0.5 1\n}"},
    {"plain offsets stay; sums keep their decimals",
     "{\n( 100.1 0 1 ) ( 100.1 0 0 ) ( 100.1 1 0 ) WALL 8 -0 0 1 1\n}",
     {16, 0, 0.25},
     "{\n( 116.1 0 1.25 ) ( 116.1 0 0.25 ) ( 116.1 1 0.25 ) WALL 8 -0 0 1 1\n}"},
    {"texture matrices of the versioned form stay",
     "{\nbrushDef\n{\n( 0 0 1 ) ( 0 0 0 ) ( 0 1 0 ) ( ( 1 0 0 ) ( 0 1 0 ) ) base/wall 0 0 0\n}\n}",
     {0, 0, 8},
     "{\nbrushDef\n{\n( 0 0 9 ) ( 0 0 8 ) ( 0 1 8 ) ( ( 1 0 0 ) ( 0 1 0 ) ) base/wall 0 0 0\n}\n}"},
    {"plane distances move by the normal's share",
     "{\nbrushDef3\n{\n( 1 0 0 -256 ) ( ( 1 0 0 ) ( 0 1 0 ) ) \"a\" 0 0 0\n"
     "( 0 1 0 -0 ) ( ( 1 0 0 ) ( 0 1 0 ) ) \"a\" 0 0 0\n}\n}",
     {16, 0, 0},
     "{\nbrushDef3\n{\n( 1 0 0 -272 ) ( ( 1 0 0 ) ( 0 1 0 ) ) \"a\" 0 0 0\n"
     "( 0 1 0 -0 ) ( ( 1 0 0 ) ( 0 1 0 ) ) \"a\" 0 0 0\n}\n}"},
    {"patch control points move, their texture coordinates stay",
     "{\npatchDef2\n{\ncurve\n( 1 2 0 0 0 )\n(\n( ( 0 0 0 0 0 ) ( 1 1 1 1 1 ) )\n)\n}\n}",
     {-2, 0, 0.5},
     "{\npatchDef2\n{\ncurve\n( 1 2 0 0 0 )\n(\n( ( -2 0 0.5 0 0 ) ( -1 1 1.5 1 1 ) )\n)\n}\n}"},
};

TEST(BrushText, MovingRewritesTheGeometrysNumbersOnly) {
    for (const Move& move : moves) {
        EXPECT_EQ(movedBrushText(move.text, move.delta), move.moved) << move.name;
        const MapVector back{-move.delta.x, -move.delta.y, -move.delta.z};
        EXPECT_EQ(readMap(std::string("{\n") + movedBrushText(move.moved, back) + "\n}\n")
                      .entities.front()
                      .brushes.size(),
                  1u)
            << move.name;
    }
}

}  // namespace
