// Entities of map text to new helpers: every entity one helper at its origin (or the
// centre of its brushes, or 0 0 0), made through the plug-in's first descriptor with the
// entity's keys in its record, and what the record cannot hold kept beside it. The world
// (worldspawn) is a helper too, and keeps the lines before the map's first entity.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "entity_mapping.h"
#include "kept_entity.h"

struct HelperDeleter {
    void operator()(Object* helper) const { helper->DeleteThis(); }
};

// An entity as a node will hold it; kept is null when the record holds all of it.
struct ImportedEntity {
    std::string name;
    int line = 0;
    Point3 position;
    HelperRecord record;
    std::shared_ptr<const KeptEntity> kept;
};

struct ImportedHelper {
    std::string name;
    Point3 position;
    std::unique_ptr<Object, HelperDeleter> helper;
    std::shared_ptr<const KeptEntity> kept;
};

struct MapImport {
    std::vector<ImportedHelper> helpers;
    std::vector<ImportNote> notes;  // in map order; an error note means an entity was skipped
    bool hasError() const;
};

// Reads every entity with a classname into entities (fresh: the record of a new helper).
// The node names: the world's "worldspawn" when free; else the entity's (last)
// "targetname" when free, else the name its '// NAME' comment line gives when free, else
// CLASSNAME_N with the lowest free N; a name with a line break or a blank at either end is
// passed over, as export's comment line would not give it back. nameTaken tells the names
// the scene has already.
void readMapEntities(const MapText& map, const HelperRecord& fresh,
                     const std::function<bool(const std::string&)>& nameTaken,
                     std::vector<ImportedEntity>& entities, std::vector<ImportNote>& notes);

// Imports every entity as a helper. False with a message only when the plug-in makes no
// helper.
bool importMap(const MapText& map, ClassDesc& firstDescriptor,
               const std::function<bool(const std::string&)>& nameTaken, MapImport& out,
               std::string& error);
