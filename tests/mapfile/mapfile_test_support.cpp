#include "mapfile_test_support.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
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

std::string exportedLines(const HelperRecord& record, const Point3& position) {
    std::string text;
    for (const MapLine& line : entityLines(record, position))
        text += (text.empty() ? "" : "|") + line.key + "=" + line.value;
    return text;
}

std::string exportedLines(Object& helper, const Point3& position) {
    HelperRecord record;
    std::string error;
    EXPECT_TRUE(readHelperRecord(helper, record, error)) << error;
    return exportedLines(record, position);
}

HelperRecord makeRecord(const std::string& classname, const std::string& keyValueText) {
    HelperRecord record;
    record.setClassname(classname);
    std::memcpy(record.props.keyValueText, keyValueText.c_str(),
                std::min(keyValueText.size(), sizeof record.props.keyValueText - 1));
    return record;
}
