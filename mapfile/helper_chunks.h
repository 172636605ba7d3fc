// A helper's stored fields, reached through its own chunks only: it saves into memory and
// the chunks are decoded; a record goes back in as composed chunks through its Load. The
// plug-in stays the only code that interprets its object.
#pragma once
#include <string>
#include "entity_props.h"
#include "vexsdk/classdesc.h"
#include "vexsdk/objects.h"

struct HelperRecord {
    char classname[ENTITY_CLASSNAME_SIZE] = {};
    EntityProps props = {};
    // The display settings, read from a helper's chunks only (a made helper keeps its own).
    int32_t showAxis = 1;
    float axisLength = 20.0f;

    // The stored name up to its terminator (or the field's end).
    std::string classnameText() const;
    void setClassname(const std::string& name);  // the caller keeps it under 80 characters
};

// The class of the plug-in's helpers: that of its first descriptor.
Class_ID helperClassId();
bool isHelperClass(Class_ID classId, SClass_ID superClassId);

// Decodes the classname and record chunks of what the helper saves.
bool readHelperRecord(Object& helper, HelperRecord& record, std::string& error);

// A new helper made as a scene load makes one: through the plug-in's first descriptor,
// with the record handed in as chunks. Null with a message when that fails.
Object* makeHelper(ClassDesc& firstDescriptor, const HelperRecord& record, std::string& error);

// The record of a helper that has just been made, before anything is set.
bool freshHelperRecord(ClassDesc& firstDescriptor, HelperRecord& record, std::string& error);
