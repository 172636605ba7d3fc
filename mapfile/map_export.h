// Helpers to map text: the world first (the scene's world node, a base map's text as it
// stands, or an empty worldspawn), then one entity per helper, each with the pairs and
// brushes it keeps. A helper read from a map is written as its text was read, with only
// the lines its edits changed written anew.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include "entity_mapping.h"
#include "kept_entity.h"

// A helper as the host hands it over: its node's name and world position, its record, and
// what it keeps beyond the record (null: nothing).
struct HelperEntry {
    std::string name;
    Point3 position;
    HelperRecord record;
    std::shared_ptr<const KeptEntity> kept;
};

// The first entity whose classname is "worldspawn", or null.
const MapEntity* findWorldspawn(const MapText& map);

// The lines export writes for a helper: entityLines, with the origin as read while the
// node has not moved, none for a brush entity or world that had none and none for an
// entity read without one while it has not moved, with the pairs beyond the record joined
// as the record's are (one line a key).
std::vector<MapLine> exportedLines(const HelperEntry& helper);
// Its kept brushes and patches moved with the node; those of an entity with an origin stay,
// as the origin moves them in the game.
std::vector<std::string> exportedBrushes(const HelperEntry& helper);

// Appends the map text of the helpers to out, a node's name in a comment line where import
// would not give it back otherwise (neededComments). Refuses (false, with a message) a helper with
// a text that map text cannot hold or without a classname, brushes of two forms, two worlds, a base
// map without a worldspawn, and a base map for helpers that hold their own world.
bool writeMap(const std::vector<HelperEntry>& helpers, const MapText* base, std::string& out,
              std::string& error);
