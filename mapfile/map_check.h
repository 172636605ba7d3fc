// The check of a map file as it stands, by the rules a scene's check applies: its entities
// are read as an import reads them, and each finding is told at its entity's line.
#pragma once
#include <string>
#include <vector>
#include "entity_checks.h"

struct MapFinding {
    int line = 0;
    Severity severity = Severity::Note;
    std::string message;
    int column = 0;  // of the value at fault when known, else 0
};

// Every finding of the import and of the check, in line order. fresh: a new helper's record.
std::vector<MapFinding> checkMapText(const MapText& map, const HelperRecord& fresh);

// "FILE:LINE[:COLUMN]: error|warning|note: message", the form build logs and editors read.
std::string formatMapFinding(const std::string& file, const MapFinding& finding);
