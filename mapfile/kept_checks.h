// Kept map data checked as strictly as import checks map text: a scene file can say
// anything, and what import would refuse (or read as another entity) must not reach export.
#pragma once
#include <string>
#include "kept_entity.h"

// Why the kept data of a node standing at position cannot be written back as the map it
// came from, naming the field ("its kept brush 2: ..."); "" when it can.
std::string keptDataProblem(const KeptEntity& kept, const Point3& position);
