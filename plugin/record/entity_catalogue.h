// The fixed vocabularies of the module: entity classnames and door sound names. Both
// tables end with an empty string and carry no count.
#pragma once

extern const char* const entityClassNames[];
extern const char* const doorSoundNames[];

// Catalogue positions the panels and descriptors rely on.
constexpr int CLASS_INDEX_FUNC_DOOR = 11;
constexpr int CLASS_INDEX_FIRST_LIGHT = 45;
constexpr int CLASS_INDEX_LAST_LIGHT = 52;
