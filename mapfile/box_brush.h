// Box brushes made in the host: six axis-aligned faces around two corners, written as map
// text in the form the rest of the level uses, with a texture name, zero offsets and
// rotation and unit scale.
#pragma once
#include <string>
#include "map_text.h"

// The brush forms map text holds: three points a face; three points and texture axes;
// the versioned points with a texture matrix (brushDef); the versioned plane equations
// (brushDef3).
enum class BoxForm { Plain, TextureAxes, PointsMatrix, PlaneEquations };

// Why two corners make no box: "" when they do, else what is wrong (each side must span a
// unit at least, the low corner below the high one, every number finite).
std::string boxProblem(const MapVector& low, const MapVector& high);

// The brush's text, braces included, for corners that boxProblem accepts.
std::string boxBrushText(BoxForm form, const MapVector& low, const MapVector& high,
                         const std::string& texture);
