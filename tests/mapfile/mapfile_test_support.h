// Shared pieces of the map text tests: reading map text, importing it with the real
// helpers, and a helper's exported lines as one line of text.
#pragma once
#include <string>
#include <vector>
#include "map_export.h"
#include "map_import.h"

MapText readMap(const std::string& text);
MapImport importText(const std::string& text);
// The helper as the host hands it to export: its record read through its chunks.
HelperEntry entryOf(const ImportedHelper& helper);
// The helpers of the text as the host hands them to export, and their export.
std::vector<HelperEntry> importEntries(const std::string& text);
std::string exportEntries(const std::vector<HelperEntry>& entries);
// "key=value|key=value|..." of what export writes for the helper.
std::string exportedLines(const ImportedHelper& helper);
std::string exportedLines(const HelperRecord& record, const Point3& position);
std::string linesText(const std::vector<MapLine>& lines);
// A file of tests/mapfile/data.
std::string dataFile(const std::string& name);
// The record of a new helper, as the plug-in makes it.
HelperRecord freshRecord();
// A record of a classname with its key/value text as stored ("key|value|...").
HelperRecord makeRecord(const std::string& classname, const std::string& keyValueText = "");
