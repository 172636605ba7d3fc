// Where along a view's depth a helper placed by a click goes, so that it lands in the level
// rather than on the ground plane below its floors: in a perspective view on the brush
// surface under the cursor; otherwise at the depth of the selection, else of the last helper
// placed, else of the centre of the level's bounds.
#pragma once
#include "render/software_viewport.h"

class HostSession;

// The distance along the view's construction-plane normal (SoftwareViewport::placementDepth).
float placementDepth(HostSession& session, SoftwareViewport& view, IPoint2 mouse);
