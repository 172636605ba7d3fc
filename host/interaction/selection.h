// Picking nodes with the mouse: a click asks each object's own pick test with a point
// region; a rubber band asks it with a rectangle region.
#pragma once
#include <vector>
#include "render/software_viewport.h"

class Node;
class Scene;

enum class SelectMode {
    Replace,  // the picked nodes become the selection
    Add,      // the picked nodes join it
    Toggle,   // the picked nodes change state
};

// The visible, unfrozen node under the mouse, or null. Among several hits the one whose
// pivot lies nearest the mouse wins, and of equals the one drawn last (on top); a hit on
// the outline of an entity's brush counts as a hit on its pivot.
Node* pickNode(Scene& scene, SoftwareViewport& view, IPoint2 mouse, TimeValue t = 0);

// The visible, unfrozen nodes in the rectangle spanned by a and b: with crossing, those
// that touch it (a helper or its brushes); otherwise those drawn wholly inside it.
std::vector<Node*> nodesInRectangle(Scene& scene, SoftwareViewport& view, IPoint2 a, IPoint2 b,
                                    bool crossing, TimeValue t = 0);

// The selection a click makes: changed by the picked node. In Replace mode a click on
// empty space clears it. The scene's own flags are left to the caller to set.
std::vector<Node*> selectionAfterClick(Scene& scene, SoftwareViewport& view, IPoint2 mouse,
                                       SelectMode mode, TimeValue t = 0);

// The selection a rubber band makes: changed by the nodes in the rectangle.
std::vector<Node*> selectionAfterRectangle(Scene& scene, SoftwareViewport& view, IPoint2 a,
                                           IPoint2 b, bool crossing, SelectMode mode,
                                           TimeValue t = 0);
