#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "entity_catalogue.h"
#include "entity/entity_helper.h"

namespace {

int tableLength(const char* const* table) {
    int n = 0;
    while (table[n][0] != '\0') ++n;
    return n;
}

TEST(Catalogue, HoldsNinetyEightDistinctShortNamesThenTheEndMarker) {
    ASSERT_EQ(tableLength(entityClassNames), 98);
    for (int i = 0; i < 98; ++i) {
        EXPECT_LE(std::strlen(entityClassNames[i]), 29u) << entityClassNames[i];
        for (int j = i + 1; j < 98; ++j) EXPECT_STRNE(entityClassNames[i], entityClassNames[j]);
    }
}

TEST(Catalogue, DoorSoundsAreFiveNamesInListOrder) {
    ASSERT_EQ(tableLength(doorSoundNames), 5);
    const char* expected[] = {"silent", "stone", "base", "stone chain", "screech metal"};
    for (int i = 0; i < 5; ++i) EXPECT_STREQ(doorSoundNames[i], expected[i]);
}

int indexAfterLookup(const char* name, int start) {
    VexalEntityHelper h("light");
    std::memset(h.classname, 0, sizeof h.classname);
    std::strncpy(h.classname, name, sizeof h.classname - 1);
    h.classIndex = start;
    h.lookupClassIndex();
    return h.classIndex;
}

TEST(Catalogue, LookupFindsEachListedPosition) {
    const std::pair<const char*, int> cases[] = {
        {"func_door", 11},        {"light", 45},
        {"light_globe", 52},      {"info_teleport_destination", 28},
        {"weapon_lightning", 97}, {"air_bubbles", 0},
        {"trigger_hurt", 91},     {"func_wall", 13},
        {"item_armorInv", 39},
    };
    for (auto& [name, index] : cases) EXPECT_EQ(indexAfterLookup(name, -7), index) << name;
}

TEST(Catalogue, LookupIsCaseSensitiveAndLeavesUnknownNamesAlone) {
    EXPECT_EQ(indexAfterLookup("item_armorinv", 5), 5);
    EXPECT_EQ(indexAfterLookup("Light", 5), 5);
    EXPECT_EQ(indexAfterLookup("", 5), 5);  // the end marker is never a match
    EXPECT_EQ(indexAfterLookup("func_doo", 5), 5);
}

TEST(Catalogue, RenamingFollowsTheNewName) {
    VexalEntityHelper h("light");
    EXPECT_EQ(h.classIndex, 45);
    std::strcpy(h.classname, "trigger_hurt");
    h.lookupClassIndex();
    EXPECT_EQ(h.classIndex, 91);
}

}  // namespace
