// Helpers to map text: a worldspawn entity first (empty, or a base map's copied through
// with its keys and brushes), then one entity per helper after a '// NAME' comment line.
#pragma once
#include <string>
#include <vector>
#include "entity_mapping.h"

// A helper as the host hands it over: its node's name and world position, and its record.
struct HelperEntry {
    std::string name;
    Point3 position;
    HelperRecord record;
};

// The first entity whose classname is "worldspawn", or null.
const MapEntity* findWorldspawn(const MapText& map);

// Appends the map text of the helpers to out. Refuses (false, naming node and key) a
// helper with a text that map text cannot hold, and a base map without a worldspawn.
bool writeMap(const std::vector<HelperEntry>& helpers, const MapText* base, std::string& out,
              std::string& error);
