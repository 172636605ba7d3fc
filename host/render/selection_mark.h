// The host's own mark of a selected node, drawn whatever its object draws (an object may
// look the same selected or not): brackets at the corners of the node's world box as the
// view shows it.
#pragma once
#include "render/framebuffer.h"
#include "render/software_viewport.h"

class Node;

constexpr Rgb SELECTION_MARK = {255, 255, 255};

void drawSelectionMark(SoftwareViewport& view, Node& node, TimeValue t);
