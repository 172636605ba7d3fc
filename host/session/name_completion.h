// Completing a name being typed into a field that fires or names an entity, from the
// names the scene holds: every target name and every node name.
#pragma once
#include <string>
#include <vector>
#include "session/entity_marks.h"

// The first such name (in byte order) that starts with typed and is longer; "" for none or
// for nothing typed.
std::string completeName(const std::string& typed, const std::vector<EntityMark>& marks);
