// Pointing a viewport's camera at what it should show: the whole scene, the selection, or
// one node close up, with room round them for the helpers' labels.
#pragma once
#include "render/software_viewport.h"
#include "scene/scene.h"

// At every visible node (with its brushes), or the area round the origin of an empty
// scene; selectionOnly: at the visible selected nodes (all of them when none is).
void frameScene(SoftwareViewport& view, const Scene& scene, bool selectionOnly = false);
// At one node, close up (a double click in the entity list or a report).
void frameNode(SoftwareViewport& view, const Node& node);
