#include "entity_catalogue.h"

const char* const entityClassNames[] = {
    "air_bubbles", "ambient_drip", "ambient_drone", "ambient_comp_hum", "ambient_fluoro_buzz",
    "ambient_light_buzz", "ambient_suck_wind", "ambient_swamp1", "ambient_swamp2",
    "ambient_thunder",
    "event_lightning", "func_door", "func_door_secret", "func_wall", "func_button", "func_train",
    "func_plat", "func_dm_only", "func_illusionary", "func_bossgate",
    "func_episodegate", "info_null", "info_notnull", "info_intermission", "info_player_start",
    "info_player_deathmatch", "info_player_coop", "info_player_start2",
    "info_teleport_destination", "item_cells",
    "item_rockets", "item_shells", "item_spikes", "item_weapon", "item_health",
    "item_artifact_envirosuit", "item_artifact_super_damage", "item_artifact_invulnerability",
    "item_artifact_invisibility", "item_armorInv",
    "item_armor2", "item_armor1", "item_key1", "item_key2", "item_sigil", "light",
    "light_torch_small_walltorch", "light_flame_large_yellow", "light_flame_small_yellow",
    "light_flame_small_white",
    "light_fluoro", "light_fluorospark", "light_globe", "monster_army", "monster_dog",
    "monster_ogre", "monster_ogre_marksman", "monster_knight", "monster_zombie", "monster_wizard",
    "monster_demon1", "monster_shambler", "monster_boss", "monster_enforcer",
    "monster_hell_knight", "monster_shalrath", "monster_tarbaby", "monster_fish",
    "monster_oldone", "misc_fireball",
    "misc_explobox", "misc_explobox2", "misc_teleporttrain", "misc_noisemaker", "noclass",
    "path_corner", "test_teleport", "test_fodder", "trap_spikeshooter", "trap_shooter",
    "trigger_teleport", "trigger_changelevel", "trigger_setskill", "trigger_counter",
    "trigger_once", "trigger_multiple", "trigger_onlyregistered", "trigger_secret",
    "trigger_monsterjump", "trigger_relay",
    "trigger_push", "trigger_hurt", "weapon_supershotgun", "weapon_nailgun",
    "weapon_supernailgun", "weapon_grenadelauncher", "weapon_rocketlauncher", "weapon_lightning",
    "",
};

const char* const doorSoundNames[] = {"silent", "stone", "base", "stone chain", "screech metal", ""};
