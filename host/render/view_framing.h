// Pointing a viewport's camera at what it should show: the whole scene, the selection, or
// one node close up, with room round them for the helpers' labels; zooming at the mouse.
#pragma once
#include "render/software_viewport.h"
#include "scene/scene.h"

// At every visible node (with its brushes), or the area round the origin of an empty
// scene; selectionOnly: at the visible selected nodes (all of them when none is).
void frameScene(SoftwareViewport& view, const Scene& scene, bool selectionOnly = false);
// At one node, close up (a double click in the entity list or a report).
void frameNode(SoftwareViewport& view, const Node& node);
// Zooms by factor (> 1 in) about the point under a window position at the target's depth,
// so what is under the mouse stays under it.
void zoomAt(SoftwareViewport& view, IPoint2 mouse, float factor);
