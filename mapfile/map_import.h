// Entities of map text to new helpers: every entity one helper at its origin (or the
// centre of its brushes, or 0 0 0), made through the plug-in's first descriptor with the
// entity's keys in its record, and its text and what the record cannot hold kept beside
// it. The world (worldspawn) is a helper too, and keeps the text before the map's first
// entity and after its last.
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

// An entity as a node will hold it: kept holds its text and what the record cannot.
struct ImportedEntity {
    std::string name;
    int line = 0;
    size_t index = 0;  // in MapText::entities
    Point3 position;
    HelperRecord record;
    std::shared_ptr<const KeptEntity> kept;
};

struct ImportedHelper {
    std::string name;
    int line = 0;  // of its entity
    Point3 position;
    std::unique_ptr<Object, HelperDeleter> helper;
    std::shared_ptr<const KeptEntity> kept;
};

struct MapImport {
    std::vector<ImportedHelper> helpers;
    std::vector<ImportNote> notes;  // in map order; an error note means an entity was skipped
    bool hasError() const;
};

// Reads every entity with a classname into entities (fresh: the record of a new helper),
// named as NodeNames tells. An entity with a number no float holds (an origin or brush
// point of nan, inf or 1e300) is left out with an error note at that number. Of a key
// given twice the last counts, as in the game. nameTaken tells the names the scene has
// already.
void readMapEntities(const MapText& map, const HelperRecord& fresh,
                     const std::function<bool(const std::string&)>& nameTaken,
                     std::vector<ImportedEntity>& entities, std::vector<ImportNote>& notes);

// Imports every entity as a helper. False with a message only when the plug-in makes no
// helper.
bool importMap(const MapText& map, ClassDesc& firstDescriptor,
               const std::function<bool(const std::string&)>& nameTaken, MapImport& out,
               std::string& error);
