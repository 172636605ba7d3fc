// A node's kept brushes and patches read again as one entity of map text, for their planes
// and control points.
#pragma once
#include <vector>
#include "kept_entity.h"
#include "map_text.h"

// False when the bytes hold no brush or patch, or cannot be read.
bool readKeptBrushes(const std::vector<unsigned char>& bytes, KeptEntity& kept, MapText& map);
