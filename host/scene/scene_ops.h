// What the host does with the nodes of a scene: clone. Saving and loading are
// in scene_writer.h and scene_reader.h; listings in session/helper_listing.h.
#pragma once
#include <string>
#include <vector>
#include "plugins/plugin_registry.h"
#include "scene/scene.h"

// A new node with a clone of the source's object (or a copy of its stored bytes), the same
// transform, and the next free name of the same base ("Marker001" gives "Marker002").
Node* cloneNode(Scene& scene, Node& source, std::string& error);
