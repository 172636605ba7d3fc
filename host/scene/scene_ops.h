// What the host does with the nodes of a scene: clone, and the rules a move keeps. Saving
// and loading are in scene_writer.h and scene_reader.h; listings in session/helper_listing.h.
#pragma once
#include <string>
#include <vector>
#include "plugins/plugin_registry.h"
#include "scene/scene.h"

// A new node with a clone of the source's object (or a copy of its stored bytes), the same
// transform, and the next free name of the same base ("Marker001" gives "Marker002").
Node* cloneNode(Scene& scene, Node& source, std::string& error);

// Why the nodes may not move by delta: "" when they may. A frozen node stays where it is,
// and no node goes where a float cannot hold its position (it could be neither drawn nor
// written back).
std::string moveProblem(const std::vector<Node*>& nodes, const Point3& delta);
