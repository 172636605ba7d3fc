// A moved entity lands in the game where it was put: an origin carries its brushes once, in
// every form; a move writes the floats it means, and there and back is as read; every line
// end closes a comment inside a brush.
#include <gtest/gtest.h>
#include <memory>
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

const char* const wall = "{\n( 128 0 0 ) ( 128 1 0 ) ( 128 0 1 ) WALL 0 0 0 1 1\n}";

struct FloatMove {
    const char* name;
    Point3 anchor;
    std::vector<Point3> moves;  // made one after another, in floats as the node makes them
    const char* written;
};

const FloatMove floatMoves[] = {
    {"there and back from a centre read with rounding noise",
     Point3(-9.9476e-14f, 0, 0),
     {Point3(16, 0, 0), Point3(-16, 0, 0)},
     wall},
    {"a tenth",
     Point3(),
     {Point3(0.1f, 0, 0)},
     "{\n( 128.1 0 0 ) ( 128.1 1 0 ) ( 128.1 0 1 ) WALL 0 0 0 1 1\n}"},
};

// The game reads a brush's numbers as floats: a move writes the float it means, and a move
// back within a float of the source gives the text as read.
TEST(EntityMoves, AMovedBrushWritesTheFloatsItMeansAndThereAndBackIsAsRead) {
    for (const FloatMove& move : floatMoves) {
        auto kept = std::make_shared<KeptEntity>();
        kept->anchor = move.anchor;
        kept->brushes = {wall};
        HelperEntry entry{"w", move.anchor, makeRecord("func_wall"), kept};
        for (const Point3& by : move.moves) entry.position += by;
        EXPECT_EQ(exportedBrushes(entry).front(), move.written) << move.name;
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
