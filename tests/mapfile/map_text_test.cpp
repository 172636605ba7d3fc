// Reading map text: what a bad input is told (line, column, message) and that nothing of
// it is kept; a base map's worldspawn travels through export unchanged.
#include <gtest/gtest.h>
#include "mapfile_test_support.h"
#include "number_text.h"

namespace {

struct BadMap {
    const char* name;
    std::string text;
    int line, column;
    const char* message;
};

const BadMap badMaps[] = {
    {"unterminated quote", "{\n\"classname\" \"func_door\n}\n", 2, 13, "unterminated quote"},
    {"quote at the end", "{\n\"classname\" \"func_door", 2, 13, "unterminated quote"},
    {"key outside an entity", "{\n}\n\"classname\" \"light\"\n", 3, 1, "a '{' is missing"},
    {"closing brace alone", "{\n}\n}\n", 3, 1, "'}' without a '{'"},
    {"end of file in an entity", "// x\n{\n\"classname\" \"light\"\n", 4, 1,
     "end of file inside the entity that starts at line 2"},
    {"key without value", "{\n\"classname\"\n\"origin\" \"0 0 0\"\n}\n", 2, 1,
     "the key \"classname\" has no value"},
    {"a byte that is not text", "{\n\"classname\" \"li\x01ght\"\n}\n", 2, 16, "not text"},
    {"a control byte between tokens", "{\n\x7f\n}\n", 2, 1, "not text"},
    {"brace missing after a brush", "{\n{\n( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) T 0 0 0 1 1\n{\n}\n", 4, 1,
     "'{' inside a brush"},
    {"a word for a number", "{\n{\n( 0 x 0 ) ( 1 0 0 ) ( 0 1 0 ) T 0 0 0 1 1\n}\n}\n", 3, 5,
     "expected a number"},
    {"a patch cut short", "{\n{\npatchDef2\n{\nT\n( 3 3 0 0 )\n", 6, 1, "needs 5 numbers"},
    {"a version no int holds", "Version 1e300\n{\n}\n", 1, 1, "a version must be a whole number"},
    {"lines ended by CR alone count", "// a\r{\r\"k\"\r}\r", 3, 1, "has no value"},
    {"CR LF counts once", "{\r\n\r\n\"k\"\r\n}\r\n", 3, 1, "has no value"},
    {"a huge key is quoted in part", "{\n\"" + std::string(70, 'k') + "\"\n}\n", 2, 1,
     "...\" (70 bytes) has no value"},
};

TEST(MapText, EachBadInputNamesItsLineAndColumnAndKeepsNothing) {
    for (const BadMap& bad : badMaps) {
        MapText map;
        map.entities.resize(1);
        MapTextError error;
        EXPECT_FALSE(readMapText(bad.text, map, error)) << bad.name;
        EXPECT_EQ(error.line, bad.line) << bad.name;
        EXPECT_EQ(error.column, bad.column) << bad.name;
        EXPECT_NE(error.message.find(bad.message), std::string::npos)
            << bad.name << ": " << error.message;
        EXPECT_TRUE(map.entities.empty() && map.text.empty()) << bad.name;
    }
}

TEST(MapText, CommentsBetweenAnyTokensAndTheCommentThatNamesAnEntity) {
    MapText map = readMap(
        "// title\n//   door_a \n{ // opens\n\"classname\" \"func_door\"// class\n"
        "{ // brush\n( 0 0 1 ) ( 0 0 0 ) // points\n( 0 1 0 ) T 0 0 0 1 1\n}\n}\n"
        "{\n}\n");
    ASSERT_EQ(map.entities.size(), 2u);
    EXPECT_EQ(map.entities[0].comment, "door_a");
    ASSERT_EQ(map.entities[0].pairs.size(), 1u);
    EXPECT_EQ(map.entities[0].pairs[0].value, "func_door");
    EXPECT_EQ(map.entities[0].brushes.size(), 1u);
    EXPECT_EQ(map.entities[1].comment, "");
}

// Texts from other systems and other tools: each must read as the plain LF text does.
TEST(MapText, LineEndsByteOrderMarkAndGluedBracesReadAsThePlainText) {
    const std::string plain = "// door_a\n{\n\"classname\" \"func_door\"\n}\n";
    const struct {
        const char* name;
        std::string text;
    } forms[] = {
        {"CR LF", "// door_a\r\n{\r\n\"classname\" \"func_door\"\r\n}\r\n"},
        {"CR alone", "// door_a\r{\r\"classname\" \"func_door\"\r}\r"},
        {"byte-order mark", "\xEF\xBB\xBF" + plain},
        {"braces glued to the quotes", "// door_a\n{\"classname\" \"func_door\"}\n"},
    };
    const MapText expected = readMap(plain);
    for (const auto& form : forms) {
        const MapText map = readMap(form.text);
        ASSERT_EQ(map.entities.size(), 1u) << form.name;
        EXPECT_EQ(map.entities[0].comment, expected.entities[0].comment) << form.name;
        ASSERT_EQ(map.entities[0].pairs.size(), 1u) << form.name;
        EXPECT_EQ(map.entities[0].pairs[0].value, "func_door") << form.name;
        EXPECT_EQ(map.entities[0].line, 2) << form.name;
    }
}

TEST(MapText, NumberTextProblemsSayWhatIsWrong) {
    const struct {
        const char* text;
        const char* problem;
    } numbers[] = {{"64", ""},
                   {"+0.50", ""},
                   {"-0", ""},
                   {"1e308", "is out of a float's range"},
                   {"3.5e38", "is out of a float's range"},
                   {"1e-50", "is out of a float's range"},
                   {"nan", "is not a finite number"},
                   {"inf", "is not a finite number"},
                   {"infinity", "is not a finite number"},
                   {"12x", "is not a number"},
                   {"", "is not a number"}};
    for (const auto& number : numbers)
        EXPECT_EQ(floatTextProblem(number.text), number.problem) << number.text;
}

TEST(MapText, ExportWritesTheBaseWholeBeforeTheHelpers) {
    const std::string brush =
        "{\n( 0 0 1 ) ( 0 0 0 ) ( 0 1 0 ) WALL [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n}";
    MapText base = readMap(
        "{\n\"classname\" \"func_wall\"\n}\n{\n\"classname\" \"worldspawn\"\n"
        "\"wad\" \"base.wad\"\n// brush 0\n" +
        brush + "\n}\n");
    HelperEntry door{"door_a", Point3(1.5f, -2, 64), makeRecord("func_door", "target|vault|"),
                     nullptr};
    std::string out, error;
    ASSERT_TRUE(writeMap({door}, &base, out, error)) << error;
    EXPECT_EQ(out,
              "{\n\"classname\" \"func_wall\"\n}\n{\n\"classname\" \"worldspawn\"\n"
              "\"wad\" \"base.wad\"\n// brush 0\n" +
                  brush +
                  "\n}\n// door_a\n{\n\"classname\" \"func_door\"\n\"origin\" \"1.5 -2 64\"\n"
                  "\"target\" \"vault\"\n}\n");
    MapText noWorld = readMap("{\n\"classname\" \"func_wall\"\n}\n");
    EXPECT_FALSE(writeMap({door}, &noWorld, out, error));
}

// The reader refuses these bytes in a value: export writes no map that cannot be read back,
// and names the node as every message does, escaped.
TEST(MapText, ExportRefusesATextMapTextCannotHoldNamingNodeAndKey) {
    const struct {
        const char* node;
        const char* pairs;
        const char* said;
    } refused[] = {
        {"sign", "message|say \"hi\"|", "node 'sign': the text of \"message\""},
        {"bell", "message|ring\x07|", "node 'bell': the text of \"message\""},
        {"two\r\nlines", "target|a\x7F|", "node 'two\\x0D\\x0Alines': the text of \"target\""},
    };
    for (const auto& r : refused) {
        HelperEntry helper{r.node, Point3(), makeRecord("trigger_once", r.pairs), nullptr};
        std::string out, error;
        EXPECT_FALSE(writeMap({helper}, nullptr, out, error)) << r.node;
        EXPECT_NE(error.find(r.said), std::string::npos) << error;
        EXPECT_TRUE(out.empty());
    }
}

}  // namespace
