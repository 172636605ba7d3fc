// Node names of imported entities and the comment lines export writes for them: every name
// the host accepts comes back, a name too long for a node is shortened with a warning, and
// an entity's name costs a few lookups however many entities share its class.
#include <gtest/gtest.h>
#include <set>
#include "mapfile_test_support.h"
#include "module/class_descriptors.h"
#include "node_names.h"

namespace {

TEST(NodeNames, ExportThenImportGivesEveryNameBackAndExportsTheSameText) {
    const struct {
        const char* name;
        std::string node;
        const char* pairs;
    } nodes[] = {
        {"plain", "door_a", ""},
        {"a leading blank", " x", ""},
        {"a trailing tab", "x\t", ""},
        {"control bytes", "a\x01z\x7F", ""},
        {"a line break", "two\r\nlines", ""},
        {"empty", "", ""},
        {"quotes at both ends", "\"q\"", ""},
        {"a backslash in a quoted name", " back\\x41slash\\", ""},
        {"another targetname first", "d", "targetname|t|"},
        {"the name the other targetname gives", "t", ""},
        {"its own targetname", "u", "targetname|u|"},
        {"the world's name", "worldspawn", ""},
    };
    std::vector<HelperEntry> entries;
    for (const auto& node : nodes)
        entries.push_back({node.node, Point3(), makeRecord("func_wall", node.pairs), nullptr});
    const std::string text = exportEntries(entries);
    const std::vector<HelperEntry> imported = importEntries(text);
    // Export writes a world for a scene without one; it comes first.
    ASSERT_EQ(imported.size(), entries.size() + 1);
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(imported[i + 1].name, entries[i].name) << nodes[i].name;
    EXPECT_EQ(exportEntries(imported), text);
}

TEST(NodeNames, ANameTooLongForANodeIsShortenedBetweenCharactersWithAWarning) {
    const std::string a254(254, 'a');
    const struct {
        const char* name;
        std::string text;
        std::string node;
        int line;
    } longNames[] = {
        {"targetname", "{\n\"classname\" \"light\"\n\"targetname\" \"" + a254 + "bc\"\n}\n",
         a254 + "b", 3},
        {"comment", "// " + a254 + "\xC3\xA9z\n{\n\"classname\" \"light\"\n}\n", a254, 1},
        {"quoted comment", "// \"" + a254 + "\\x01\\x02\"\n{\n\"classname\" \"light\"\n}\n",
         a254 + "\x01", 1},
    };
    for (const auto& n : longNames) {
        const MapImport imported = importText(n.text);
        ASSERT_EQ(imported.helpers.size(), 1u) << n.name;
        EXPECT_EQ(imported.helpers[0].name, n.node) << n.name;
        const auto warning =
            std::find_if(imported.notes.begin(), imported.notes.end(), [](const ImportNote& note) {
                return note.text.find("shortened") != std::string::npos;
            });
        ASSERT_NE(warning, imported.notes.end()) << n.name;
        EXPECT_EQ(warning->line, n.line) << n.name;
        EXPECT_FALSE(imported.hasError()) << n.name;
    }
    static_assert(IMPORTED_NAME_MAX_BYTES == 255, "the cases are cut at 255 bytes");
}

// Made-up names come after given ones: an entity without a name never takes the name a
// later entity gives itself.
TEST(NodeNames, MadeUpNamesLeaveTheNamesEntitiesGive) {
    const MapImport imported = importText(
        "{\n\"classname\" \"light\"\n}\n{\n\"classname\" \"worldspawn\"\n}\n"
        "{\n\"classname\" \"light\"\n\"targetname\" \"light_1\"\n}\n"
        "// worldspawn\n{\n\"classname\" \"info_null\"\n}\n");
    std::vector<std::string> names;
    for (const ImportedHelper& helper : imported.helpers) names.push_back(helper.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"light_2", "worldspawn_1", "light_1", "worldspawn"}));
}

TEST(NodeNames, EachEntityCostsAFewLookupsHoweverManyShareItsClass) {
    constexpr int count = 2000;
    std::string unnamed, named;
    std::set<std::string> scene;
    for (int i = 0; i < count; ++i) {
        unnamed += "{\n\"classname\" \"light\"\n}\n";
        named += "// lamp" + std::to_string(i) +
                 "\n{\n\"classname\" \"light\"\n\"targetname\" \"lamp" + std::to_string(i) +
                 "\"\n}\n";
        scene.insert("light_" + std::to_string(i + 1));
        scene.insert("lamp" + std::to_string(i));
    }
    for (const std::string& text : {unnamed, named}) {
        size_t asked = 0;
        MapImport imported;
        std::string error;
        ASSERT_TRUE(importMap(
            readMap(text), *entityClassDesc(0),
            [&](const std::string& name) { return ++asked, scene.count(name) > 0; }, imported,
            error));
        ASSERT_EQ(imported.helpers.size(), size_t(count));
        EXPECT_EQ(imported.helpers.back().name, "light_" + std::to_string(2 * count));
        EXPECT_LE(asked, 5u * count);
    }
}

}  // namespace
