// Where a ray from the eye first meets the solid brushes of a scene's visible nodes: the
// surface a user points at in a perspective view.
#pragma once
#include "scene/scene.h"

// False when the ray meets no brush in front of its origin.
bool firstBrushHit(const Scene& scene, const Point3& origin, const Point3& direction, Point3& hit);
