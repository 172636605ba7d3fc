// What changed between two versions of a level, entity by entity, as a reviewer reads it.
// Entities are matched across the versions by what stays with them: the same text, the
// same name (comment or targetname) and classname, the same place, then the same pairs
// wherever they went; so a moved entity, one added in the middle or keys put in another
// order are no delete-plus-add. Comments and layout are no change.
#pragma once
#include <string>
#include <vector>
#include "map_text.h"

struct MapDiff {
    int added = 0, removed = 0, changed = 0, unchanged = 0;
    // "- CLASSNAME "NAME" at X Y Z", "+ ...", "~ ..." followed by indented lines: each
    // changed pair ("speed: 100 -> 120", "+ wait: 2", "- targetname: gold"), "moved by X Y
    // Z", "brushes: A added, R removed, C changed".
    std::vector<std::string> lines;

    bool differs() const { return added || removed || changed; }
    // "N changed, N added, N removed, N unchanged"
    std::string summary() const;
};

MapDiff diffMaps(const MapText& before, const MapText& after);
