// What both targets start from: the plug-in's helper descriptor and the test levels.
#pragma once
#include <string>
#include "fuzz_target.h"
#include "plugins/plugin_registry.h"

// The descriptor that makes the plug-in's helpers, as import and load make them.
ClassDesc& helperDescriptor();
// A level of tests/mapfile/data, as its bytes.
Bytes levelFile(const std::string& name);
