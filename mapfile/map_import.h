// Entities of map text to new helpers: worldspawn makes none, every other entity one
// helper at its origin (or the centre of its brushes, or 0 0 0), made through the
// plug-in's first descriptor with the entity's keys in its record.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "entity_mapping.h"

struct HelperDeleter {
    void operator()(Object* helper) const { helper->DeleteThis(); }
};

struct ImportedHelper {
    std::string name;
    Point3 position;
    std::unique_ptr<Object, HelperDeleter> helper;
};

struct MapImport {
    std::vector<ImportedHelper> helpers;
    std::vector<ImportNote> notes;  // in map order; an error note means an entity was skipped
    bool hasError() const;
};

// Imports every entity. The node names: the entity's (last) "targetname" when free, else
// the name its '// NAME' comment line gives when free, else CLASSNAME_N with the lowest
// free N; a name with a line break or a blank at either end is passed over, as export's
// comment line would not give it back. nameTaken tells the names the scene has already.
// False with a message only when the plug-in makes no helper.
bool importMap(const MapText& map, ClassDesc& firstDescriptor,
               const std::function<bool(const std::string&)>& nameTaken, MapImport& out,
               std::string& error);
