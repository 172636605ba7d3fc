#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "class_pages.h"
#include "entity_catalogue.h"
#include "entity/entity_helper.h"

namespace {

int tableLength(const char* const* table) {
    int n = 0;
    while (table[n][0] != '\0') ++n;
    return n;
}

// Stored scenes carry these names: a misspelt or moved entry breaks every scene using it.
// clang-format off
const char* const expectedClassNames[] = {
    /*  0 */ "air_bubbles", "ambient_drip", "ambient_drone", "ambient_comp_hum",
    /*  4 */ "ambient_fluoro_buzz", "ambient_light_buzz", "ambient_suck_wind", "ambient_swamp1",
    /*  8 */ "ambient_swamp2", "ambient_thunder", "event_lightning", "func_door",
    /* 12 */ "func_door_secret", "func_wall", "func_button", "func_train", "func_plat",
    /* 17 */ "func_dm_only", "func_illusionary", "func_bossgate", "func_episodegate", "info_null",
    /* 22 */ "info_notnull", "info_intermission", "info_player_start", "info_player_deathmatch",
    /* 26 */ "info_player_coop", "info_player_start2", "info_teleport_destination", "item_cells",
    /* 30 */ "item_rockets", "item_shells", "item_spikes", "item_weapon", "item_health",
    /* 35 */ "item_artifact_envirosuit", "item_artifact_super_damage",
    /* 37 */ "item_artifact_invulnerability", "item_artifact_invisibility", "item_armorInv",
    /* 40 */ "item_armor2", "item_armor1", "item_key1", "item_key2", "item_sigil", "light",
    /* 46 */ "light_torch_small_walltorch", "light_flame_large_yellow", "light_flame_small_yellow",
    /* 49 */ "light_flame_small_white", "light_fluoro", "light_fluorospark", "light_globe",
    /* 53 */ "monster_army", "monster_dog", "monster_ogre", "monster_ogre_marksman",
    /* 57 */ "monster_knight", "monster_zombie", "monster_wizard", "monster_demon1",
    /* 61 */ "monster_shambler", "monster_boss", "monster_enforcer", "monster_hell_knight",
    /* 65 */ "monster_shalrath", "monster_tarbaby", "monster_fish", "monster_oldone",
    /* 69 */ "misc_fireball", "misc_explobox", "misc_explobox2", "misc_teleporttrain",
    /* 73 */ "misc_noisemaker", "noclass", "path_corner", "test_teleport", "test_fodder",
    /* 78 */ "trap_spikeshooter", "trap_shooter", "trigger_teleport", "trigger_changelevel",
    /* 82 */ "trigger_setskill", "trigger_counter", "trigger_once", "trigger_multiple",
    /* 86 */ "trigger_onlyregistered", "trigger_secret", "trigger_monsterjump", "trigger_relay",
    /* 90 */ "trigger_push", "trigger_hurt", "weapon_supershotgun", "weapon_nailgun",
    /* 94 */ "weapon_supernailgun", "weapon_grenadelauncher", "weapon_rocketlauncher",
    /* 97 */ "weapon_lightning",
};
// clang-format on

TEST(Catalogue, HoldsTheNinetyEightNamesInOrderThenTheEndMarker) {
    ASSERT_EQ(tableLength(entityClassNames), 98);
    for (int i = 0; i < 98; ++i) {
        EXPECT_STREQ(entityClassNames[i], expectedClassNames[i]) << "index " << i;
        EXPECT_LE(std::strlen(entityClassNames[i]), 29u) << entityClassNames[i];
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

TEST(Catalogue, LookupFindsEveryNameAtItsPosition) {
    for (int i = 0; i < 98; ++i) EXPECT_EQ(indexAfterLookup(expectedClassNames[i], -7), i);
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

// A door's page for func_door alone, a light's for the eight light classes, by name or by
// position alike; any name outside the catalogue has none.
TEST(ClassPages, DoorForFuncDoorLightForTheLightsNoneElse) {
    for (int i = 0; i < 98; ++i) {
        const std::string name = expectedClassNames[i];
        const PageClass expected = name == "func_door"                ? PageClass::Door
                                   : name.compare(0, 5, "light") == 0 ? PageClass::Light
                                                                      : PageClass::Other;
        EXPECT_EQ(pageClassOfIndex(i), expected) << name;
        EXPECT_EQ(pageClassOf(name), expected) << name;
    }
    for (const char* outside : {"", "Light", "func_doors", "light_extra"})
        EXPECT_EQ(pageClassOf(outside), PageClass::Other) << outside;
    EXPECT_EQ(pageClassOfIndex(-1), PageClass::Other);
    EXPECT_EQ(pageClassOfIndex(98), PageClass::Other);
}

}  // namespace
