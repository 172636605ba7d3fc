// A position a compiler's log names where no entity stands: a ringed cross over everything,
// in a colour of its own, so that it is told from a leak's path.
#pragma once
#include "render/software_viewport.h"

constexpr Rgb POSITION_MARK_COLOUR = {0, 220, 255};

void drawPositionMark(SoftwareViewport& view, const Point3& position);
