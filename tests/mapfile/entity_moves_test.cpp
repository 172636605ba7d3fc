// A moved entity lands in the game where it was put: an origin carries its brushes once, in
// every form, and every line end closes a comment inside a brush.
#include <gtest/gtest.h>
#include "brush_text.h"
#include "mapfile_test_support.h"

namespace {

// Where the game puts the entity's face: where its text says, plus the origin when there is
// one (the brushes stand relative to it).
double placedX(const MapText& map) {
    const MapPair* origin = map.entities.back().find("origin");
    const MapPlane& face = map.planes.back();
    return face.distance / face.normal.x + (origin ? std::stod(origin->value) : 0);
}

struct PlacedEntity {
    const char* name;
    const char* entity;
};

const PlacedEntity placedEntities[] = {
    {"plain brushes with an origin",
     "{\n\"classname\" \"func_door\"\n\"origin\" \"0 0 0\"\n{\n"
     "( 64 0 0 ) ( 64 1 0 ) ( 64 0 1 ) WALL 0 0 0 1 1\n}\n}\n"},
    {"versioned brushes with an origin",
     "{\n\"classname\" \"func_door\"\n\"origin\" \"8 0 0\"\n{\nbrushDef3\n{\n"
     "( 1 0 0 -64 ) ( ( 1 0 0 ) ( 0 1 0 ) ) \"a\" 0 0 0\n}\n}\n}\n"},
    {"plain brushes without an origin",
     "{\n\"classname\" \"func_door\"\n{\n( 64 0 0 ) ( 64 1 0 ) ( 64 0 1 ) WALL 0 0 0 1 1\n}\n}\n"},
};

TEST(EntityMoves, AMovedBrushEntityLandsOnceWhereItWasPutInEveryForm) {
    for (const PlacedEntity& placed : placedEntities) {
        const std::string text =
            std::string("{\n\"classname\" \"worldspawn\"\n}\n") + placed.entity;
        std::vector<HelperEntry> entries = importEntries(text);
        entries.back().position += Point3(16, 0, 0);
        const std::string out = exportEntries(entries);
        EXPECT_EQ(placedX(readMap(out)) - placedX(readMap(text)), 16) << placed.name;
        entries.back().position -= Point3(16, 0, 0);
        EXPECT_EQ(exportEntries(entries), text) << placed.name;
    }
}

TEST(EntityMoves, ACommentInABrushEndsAtEveryLineEnd) {
    for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
        const std::string brush = std::string("{") + lineEnd + "// a comment" + lineEnd +
                                  "( 0 0 1 ) ( 0 0 0 ) ( 0 1 0 ) WALL 0 0 0 1 1" + lineEnd + "}";
        EXPECT_EQ(brushForm(brush), BrushForm::Plain) << int(lineEnd[0]);
        const std::string moved = movedBrushText(brush, {8, 0, 0});
        EXPECT_NE(moved.find("( 8 0 1 ) ( 8 0 0 ) ( 8 1 0 )"), std::string::npos) << moved;
    }
}

}  // namespace
