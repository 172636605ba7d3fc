// Box brushes made in the host: a node is given boxes (a door's slab, a trigger's volume,
// the world's walls) or has its brushes taken away, each change one step. The boxes join
// what the node keeps, so they move, clone, save and export as brushes read from a map do.
#pragma once
#include <string>
#include <utility>
#include <vector>
#include "scene/scene.h"

class HostSession;

struct BoxCorners {
    Point3 low, high;
};

// Why two corners make no box ("" when they do): each side a unit at least, the first
// corner below the second, every number finite.
std::string boxCornersProblem(const BoxCorners& box);

// The textures a box gets when none is named: a trigger's (a classname starting with
// "trigger_") the game's own for triggers; any other the texture the scene's brushes use
// most, or, in a scene with no brushes, one that names the box as made here.
constexpr const char* TRIGGER_BOX_TEXTURE = "trigger";
constexpr const char* NO_BRUSHES_BOX_TEXTURE = "vexal_box";

// Gives each node one more box (corners in world coordinates), in the form of the scene's
// other brushes and with texture (empty: the node's usual texture, above), as one step named
// name. False with a message, changing nothing, when a box is no box, a node is of a point
// class (isPointClass), or its kept data cannot be read.
bool addBoxes(HostSession& session, const std::vector<std::pair<Node*, BoxCorners>>& boxes,
              const std::string& texture, const std::string& name, std::string& error);
// Takes every brush and patch from the nodes, as one step ("Clear Brushes").
bool clearBrushes(HostSession& session, const std::vector<Node*>& nodes, std::string& error);

// The scene's world node ("worldspawn"), made (as one step) when the scene has none.
Node* worldNode(HostSession& session, std::string& error);

// A box around a node's pivot sized from the grid: two steps across and four high, standing
// on the pivot's height.
BoxCorners boxAroundPivot(const Node& node, float gridSpacing);

// A side of a box brush that a view lets the user drag: one of the node's kept brushes
// that is a box, a face of it seen edge-on, and where the face's centre stands.
struct BoxSide {
    Node* node;
    size_t brush;  // among what the node keeps
    int axis;      // 0 x, 1 y, 2 z: the face faces along it
    bool high;     // up the axis, or down it
    Point3 centre;
};

// The sides of the selected (unfrozen, shown) nodes' boxes that a view looking along viewAxis (a
// unit vector) sees edge-on, so they can be dragged within it.
std::vector<BoxSide> boxSidesInView(Scene& scene, const Point3& viewAxis);

// Puts a box's side at coordinate (world) on its axis, keeping the box a unit thick at
// least: one step named "Resize Box" (of a drag's Action). False with a message when the
// brush is no longer that box.
bool moveBoxSide(HostSession& session, const BoxSide& side, float coordinate, std::string& error);
