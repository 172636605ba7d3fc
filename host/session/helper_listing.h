// The listing of a scene's nodes, as `list` prints it.
#pragma once
#include <string>
#include "scene/scene.h"

// One line per node: name, classname, target name, targets, position, state.
std::string helperListing(Scene& scene);
