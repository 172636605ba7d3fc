// The pixel patterns of the point-marker kinds, as offsets from the marker's centre.
#pragma once
#include <vector>
#include "vexsdk/geom.h"

// Half-size in pixels of a point marker; a pick also counts the marker's whole square.
constexpr int MARKER_RADIUS = 4;

// Kind 4 (MARKER_CIRCLE) is a ring with a dot at its centre, so that the exact pivot
// pixel is marked too; an unknown kind draws as a plain point.
const std::vector<IPoint2>& markerPattern(int kind);
