#include "mapfile_test_support.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include "module/class_descriptors.h"

MapText readMap(const std::string& text) {
    MapText map;
    MapTextError error;
    EXPECT_TRUE(readMapText(text, map, error))
        << error.line << ":" << error.column << ": " << error.message;
    return map;
}

MapImport importText(const std::string& text) {
    MapImport imported;
    std::string error;
    EXPECT_TRUE(importMap(
        readMap(text), *entityClassDesc(0), [](const std::string&) { return false; }, imported,
        error))
        << error;
    return imported;
}

std::string linesText(const std::vector<MapLine>& lines) {
    std::string text;
    for (const MapLine& line : lines)
        text += (text.empty() ? "" : "|") + line.key + "=" + line.value;
    return text;
}

std::string exportedLines(const HelperRecord& record, const Point3& position) {
    return linesText(entityLines(record, position));
}

HelperEntry entryOf(const ImportedHelper& helper) {
    HelperEntry entry{helper.name, helper.position, {}, helper.kept};
    std::string error;
    EXPECT_TRUE(readHelperRecord(*helper.helper, entry.record, error)) << error;
    return entry;
}

std::vector<HelperEntry> importEntries(const std::string& text) {
    std::vector<HelperEntry> entries;
    for (const ImportedHelper& helper : importText(text).helpers)
        entries.push_back(entryOf(helper));
    return entries;
}

std::string exportEntries(const std::vector<HelperEntry>& entries) {
    std::string out, error;
    EXPECT_TRUE(writeMap(entries, nullptr, out, error)) << error;
    return out;
}

std::string exportedLines(const ImportedHelper& helper) {
    return linesText(exportedLines(entryOf(helper)));
}

std::string dataFile(const std::string& name) {
    std::ifstream in(std::string(VEXAL_MAP_DATA) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << name;
    return text.str();
}

HelperRecord makeRecord(const std::string& classname, const std::string& keyValueText) {
    HelperRecord record;
    record.setClassname(classname);
    std::memcpy(record.props.keyValueText, keyValueText.c_str(),
                std::min(keyValueText.size(), sizeof record.props.keyValueText - 1));
    return record;
}

HelperRecord freshRecord() {
    HelperRecord fresh;
    std::string error;
    EXPECT_TRUE(freshHelperRecord(*entityClassDesc(0), fresh, error)) << error;
    return fresh;
}
