// Names for the nodes of imported entities, in two rounds so that a name the map gives is
// never taken first by a made-up one. Given names: a quoted '// "NAME"' comment, else the
// targetname, else a plain '// NAME' comment, the first that is free, shortened to fit a
// node name. Made-up names, for the world always and for an entity that gives no free
// name: "worldspawn" for the world when free, else CLASSNAME_N with the lowest free N.
// Each name costs a few lookups: a million entities are named in one pass.
#pragma once
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include "entity_mapping.h"

// The most bytes a node name holds in the host's scene files.
constexpr size_t IMPORTED_NAME_MAX_BYTES = 255;

class NodeNames {
public:
    // nameTaken tells the names the scene holds already; count: about how many are asked for.
    NodeNames(const std::function<bool(const std::string&)>& nameTaken, size_t count)
        : nameTaken_(nameTaken) {
        given_.reserve(count);
    }

    // The free name the entity gives, taken, with a warning when it was shortened; false
    // when it gives none.
    bool takeGiven(const MapEntity& entity, std::string& name, std::vector<ImportNote>& notes);
    // A made-up name for an entity of the classname, taken.
    std::string takeMade(const std::string& classname);

private:
    bool take(const std::string& name);

    const std::function<bool(const std::string&)>& nameTaken_;
    std::unordered_set<std::string> given_;
    // Per CLASSNAME_ base, the last number given: every number up to it is taken, and no
    // name is given back during an import.
    std::unordered_map<std::string, int> lastNumber_;
};
