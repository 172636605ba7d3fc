// Where an entity without an origin stands: the centre of the box around its brushes'
// corners (each corner is where three of a brush's planes meet inside all its others)
// and its patches' control points. A brush of more than 64 faces gives no corners.
#pragma once
#include "map_text.h"

// False when the entity has no brush or patch that gives a point.
bool brushBoxCentre(const MapText& map, const MapEntity& entity, MapVector& centre);
