// A level in version control: read and written with no edit it comes back byte for byte in
// every form and line end, and each kind of edit changes exactly its own lines; a node gets
// a name comment only where import would not give its name back.
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include "box_brush.h"
#include "mapfile_test_support.h"

namespace {

const char* const levels[] = {"level_commented.map", "level_plain.map", "level_texture_axes.map",
                              "level_brushdef.map", "level_brushdef3.map"};
const char* const lineEnds[] = {"\n", "\r\n", "\r"};

TEST(MapIdentity, AnUntouchedLevelComesBackByteForByte) {
    for (const char* level : levels)
        for (const char* lineEnd : lineEnds)
            for (const std::string& mark : {std::string(), std::string("\xEF\xBB\xBF")}) {
                const std::string text = mark + withLineEnds(dataFile(level), lineEnd);
                EXPECT_EQ(exportEntries(importEntries(text)), text)
                    << level << " line end " << int(lineEnd[0]) << " mark " << mark.size();
            }
}

// Texts at the edges of the form: a mark glued to the brace, entities sharing lines, no
// line end at the end, a version line, trailing comments on closing lines.
TEST(MapIdentity, OddlyLaidOutTextComesBackByteForByte) {
    const std::string texts[] = {
        "\xEF\xBB\xBF{\"classname\" \"worldspawn\"}",
        "{ \"classname\" \"worldspawn\" } { \"classname\" \"light\" } {\"classname\" \"light\"}",
        "Version 2\n  {\n  \"classname\"\t\"worldspawn\"\n  }   // world\n\n\n  // a\n  {\n"
        "  \"classname\" \"light\"\n  \"origin\" \"+1 1e1 -0.0\"\n  }\n// the end",
    };
    for (const std::string& text : texts) EXPECT_EQ(exportEntries(importEntries(text)), text);
}

HelperEntry& named(std::vector<HelperEntry>& entries, const std::string& name) {
    for (HelperEntry& entry : entries)
        if (entry.name == name) return entry;
    ADD_FAILURE() << "no node " << name;
    return entries.front();
}

void setTargetName(HelperEntry& entry, const char* name) {
    std::memset(entry.record.props.targetName, 0, sizeof entry.record.props.targetName);
    std::strncpy(entry.record.props.targetName, name, sizeof entry.record.props.targetName - 1);
}

const MapVector boxLow{-32, -32, 0}, boxHigh{32, 32, 8};

struct Edit {
    const char* name;
    std::function<void(std::vector<HelperEntry>&)> apply;
    // The text the edit changes, as pieces of the level's text and what each becomes.
    std::vector<std::pair<std::string, std::string>> changes;
};

const Edit edits[] = {
    {"a moved point entity changes its origin line",
     [](auto& e) { named(e, "a lamp by the door").position += Point3(16, 0, 0); },
     {{"\"origin\" \"48 0 64\"", "\"origin\" \"64 0 64\""}}},
    {"a moved brush entity changes its brushes' numbers, the rest of each line as read",
     [](auto& e) { named(e, "gold").position += Point3(16, 0, 0); },
     {{"( 32 0 1 ) ( 32 0 0 ) ( 32 1 0 )", "( 48 0 1 ) ( 48 0 0 ) ( 48 1 0 )"},
      {"( 64 1 0 ) ( 64 0 0 ) ( 64 0 1 )", "( 80 1 0 ) ( 80 0 0 ) ( 80 0 1 )"},
      {"( 1 -8 0 ) ( 0 -8 0 ) ( 0 -8 1 )", "( 17 -8 0 ) ( 16 -8 0 ) ( 16 -8 1 )"},
      {"( 0 8 1 ) ( 0 8 0 ) ( 1 8 0 )", "( 16 8 1 ) ( 16 8 0 ) ( 17 8 0 )"},
      {"( 0 1 0 ) ( 0 0 0 ) ( 1 0 0 )", "( 16 1 0 ) ( 16 0 0 ) ( 17 0 0 )"},
      {"( 1 0 96 ) ( 0 0 96 ) ( 0 1 96 )", "( 17 0 96 ) ( 16 0 96 ) ( 16 1 96 )"}}},
    {"a changed value changes its own line, its spacing kept",
     [](auto& e) { named(e, "gold").record.props.speed = 120; },
     {{"\"speed\"   \"100\"", "\"speed\"   \"120\""}}},
    {"a check box changes the spawnflags line",
     [](auto& e) { named(e, "gold").record.props.startOpen = 0; },
     {{"\"spawnflags\" \"65\"", "\"spawnflags\" \"64\""}}},
    {"a new key goes after the last pair, spaced and indented as it is",
     [](auto& e) { named(e, "gold").record.props.wait = 2; },
     {{"\"spawnflags\" \"65\"\n", "\"spawnflags\" \"65\"\n\t\"wait\" \"2\"\n"}}},
    {"a new key in an entity on one line stays on that line",
     [](auto& e) {
         std::strcpy(named(e, "info_player_start_1").record.props.keyValueText, "angle|90|");
     },
     {{"\"0 0 24\" }", "\"0 0 24\" \"angle\" \"90\" }"}}},
    {"a cleared key's line goes, and the name comment then gives the name",
     [](auto& e) { setTargetName(named(e, "gold"), ""); },
     {{"// entity 1\n", "// gold\n"}, {"\t\"targetname\" \"gold\"\n", ""}}},
    {"a rename changes the name comment only",
     [](auto& e) { named(e, "entity 3").name = "lamp 3"; },
     {{"// entity 3\n", "// lamp 3\n"}}},
    {"a rename against the targetname quotes the comment",
     [](auto& e) { named(e, "gold").name = "golden"; },
     {{"// entity 1\n", "// \"golden\"\n"}}},
    {"a renamed entity without a comment gets one on a line of its own",
     [](auto& e) { named(e, "info_player_start_1").name = "start"; },
     {{"{ \"classname\" \"info_player_start\"",
       "// start\n{ \"classname\" \"info_player_start\""}}},
    {"a new entity goes after the last one, in the file's style, named by the import's rule",
     [](auto& e) {
         HelperRecord light = freshRecord();
         light.setClassname("light");
         e.push_back({"light_1", Point3(8, 8, 8), light, nullptr});
         e.push_back({"hall lamp", Point3(0, 0, 8), light, nullptr});
     },
     {{"}\n\n// end of the level",
       "}\n{\n\t\"classname\" \"light\"\n\t\"origin\" \"8 8 8\"\n}\n"
       "// hall lamp\n{\n\t\"classname\" \"light\"\n\t\"origin\" "
       "\"0 0 8\"\n}\n\n// end of the level"}}},
    {"a clone goes after the last entity, its block alone, named by a comment",
     [](auto& e) {
         HelperEntry copy = named(e, "a lamp by the door");
         copy.kept = std::make_shared<KeptEntity>(copiedKept(*copy.kept));
         copy.name = "lamp copy";
         copy.position += Point3(0, 16, 0);
         e.push_back(copy);
     },
     {{"\"48 0 64\"\n}\n",
       "\"48 0 64\"\n}\n// lamp copy\n{\n\"classname\" \"light\"\n"
       "\"origin\" \"48 16 64\"\n}\n"}}},
    {"a box brush goes after the last brush",
     [](auto& e) {
         HelperEntry& world = named(e, "worldspawn");
         world.kept = withBox(world.kept.get(), true, world.position, BoxForm::Plain, boxLow,
                              boxHigh, "BOX");
     },
     {{"( 1 0 0 ) ( 0 0 0 ) ( 0 1 0 ) WALL 0 0 0 1 1\n}\n",
       "( 1 0 0 ) ( 0 0 0 ) ( 0 1 0 ) WALL 0 0 0 1 1\n}\n" +
           boxBrushText(BoxForm::Plain, boxLow, boxHigh, "BOX") + "\n"}}},
};

// The text with each piece replaced; a piece must stand in it once.
std::string changed(std::string text, const Edit& edit) {
    for (const auto& [was, is] : edit.changes) {
        const size_t at = text.find(was);
        EXPECT_TRUE(at != std::string::npos && text.find(was, at + 1) == std::string::npos)
            << edit.name << ": " << was;
        if (at != std::string::npos) text.replace(at, was.size(), is);
    }
    return text;
}

TEST(MapIdentity, EachEditChangesExactlyItsOwnLines) {
    const std::string level = dataFile("level_commented.map");
    for (const char* lineEnd : lineEnds)
        for (const Edit& edit : edits) {
            std::vector<HelperEntry> entries = importEntries(withLineEnds(level, lineEnd));
            edit.apply(entries);
            EXPECT_EQ(exportEntries(entries), withLineEnds(changed(level, edit), lineEnd))
                << edit.name << ", line end " << int(lineEnd[0]);
        }
}

// Each deleted entity takes its text from the end of the one before through its own line.
TEST(MapIdentity, ADeletedEntityTakesItsBlockAndItsCommentLines) {
    const std::string level = dataFile("level_commented.map");
    const struct {
        const char* node;
        const char *from, *through;
    } deletions[] = {{"gold", "\n// entity 1", "} // the gold door\n"},
                     {"entity 3", "// entity 3", "\"250\"\n}\n"},
                     {"info_player_start_1", "{ \"classname\" \"info_player_start\"", "}\n"}};
    for (const auto& deletion : deletions) {
        std::vector<HelperEntry> entries = importEntries(level);
        entries.erase(entries.begin() + (&named(entries, deletion.node) - entries.data()));
        std::string expected = level;
        const size_t from = expected.find(deletion.from);
        const size_t through = expected.find(deletion.through, from) + strlen(deletion.through);
        expected.erase(from, through - from);
        EXPECT_EQ(exportEntries(entries), expected) << deletion.node;
    }
}

// In every form a moved door's text changes within its own entity and nowhere else.
TEST(MapIdentity, AMovedDoorChangesNothingOutsideItsEntityInEveryForm) {
    for (const char* level : levels) {
        const std::string text = dataFile(level);
        const MapText map = readMap(text);
        std::vector<HelperEntry> entries = importEntries(text);
        size_t door = 0;
        while (map.entities[door].find("classname")->value != "func_door") ++door;
        for (HelperEntry& entry : entries)
            if (entry.record.classnameText() == "func_door") entry.position += Point3(16, 8, 0);
        const std::string out = exportEntries(entries);
        const size_t begin = map.entities[door].offset, end = map.entities[door].end;
        const size_t after = text.size() - end;
        ASSERT_GT(out.size(), begin + after) << level;
        EXPECT_EQ(out.substr(0, begin), text.substr(0, begin)) << level;
        EXPECT_EQ(out.substr(out.size() - after), text.substr(end)) << level;
        EXPECT_NE(out, text) << level;
    }
}

// Scene files saved before the entity's text was kept still load: without that text.
TEST(MapIdentity, KeptDataOfTheFirstLayoutStillDecodes) {
    KeptEntity kept;
    kept.hadOrigin = true;
    kept.originText = "1 2 3";
    kept.brushes = {"{\n}"};
    kept.source = "{\n\"classname\" \"func_wall\"\n}\n";
    std::vector<unsigned char> bytes = encodeKeptEntity(kept);
    KeptEntity read;
    std::string error;
    ASSERT_TRUE(decodeKeptEntity(bytes.data(), bytes.size(), read, error)) << error;
    EXPECT_EQ(read.source, kept.source);
    bytes.resize(bytes.size() - 8 - kept.source.size());  // the text and the empty trailer
    bytes[0] = 1;
    ASSERT_TRUE(decodeKeptEntity(bytes.data(), bytes.size(), read, error)) << error;
    EXPECT_TRUE(read.source.empty() && read.hadOrigin && read.brushes == kept.brushes);
    bytes[0] = 3;
    EXPECT_FALSE(decodeKeptEntity(bytes.data(), bytes.size(), read, error));
}

// A scene made in the host: comments only for names that import would not make itself.
TEST(MapIdentity, NodesMadeInTheHostGetANameCommentOnlyWhenNeeded) {
    HelperRecord light = freshRecord();
    light.setClassname("light");
    HelperRecord door = makeRecord("func_door");
    std::strcpy(door.props.targetName, "vault");
    const std::string out = exportEntries({{"light_1", Point3(), light, nullptr},
                                           {"light_3", Point3(), light, nullptr},
                                           {"vault", Point3(), door, nullptr},
                                           {"front", Point3(), door, nullptr}});
    EXPECT_EQ(out.find("// light_1"), std::string::npos) << out;
    EXPECT_NE(out.find("// light_3"), std::string::npos) << out;
    EXPECT_EQ(out.find("// vault"), std::string::npos) << out;
    EXPECT_NE(out.find("// \"front\""), std::string::npos) << out;
    std::vector<std::string> names;
    for (const ImportedHelper& helper : importText(out).helpers) names.push_back(helper.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"worldspawn", "light_1", "light_3", "vault", "front"}));
}

}  // namespace
