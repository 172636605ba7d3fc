// The level around the helpers: each node's kept brushes and patches as outlines, computed
// once per kept data (not per redraw) and shared by every view, drawn and picked where the
// node stands now.
#pragma once
#include <memory>
#include "render/brush_outlines.h"
#include "render/software_viewport.h"

class Node;

// The node's outlines, or null when it keeps no brush or patch.
std::shared_ptr<const BrushOutlines> nodeOutlines(const Node& node);

// Draws the node's outlines in colour through the view's drawing window.
void drawNodeOutlines(SoftwareViewport& view, const Node& node, Rgb colour);

// Whether a pick region (HITREGION_POINT for a click at points[0], HITREGION_RECT for a
// band from points[0] to points[1]) takes the node by its outlines: a click or a crossing
// band that touches one, a window band that holds them all. The world's are never picked:
// it is chosen from the list.
bool outlinesPicked(SoftwareViewport& view, const Node& node, int kind, bool crossing,
                    IPoint2* points);

// Widens box by the node's outlines where it stands.
void addOutlinesBox(const Node& node, Box3& box);
