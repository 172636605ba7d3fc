// The creation area's search over every classname of the catalogue, with how many nodes
// of the scene carry each, so a class is found by any part of its name.
#pragma once
#include <string>
#include <vector>
#include "session/entity_marks.h"

struct ClassCount {
    std::string classname;
    size_t count = 0;
};

// The catalogue's classnames holding text (in any case), in alphabetical order, each with
// how many of marks carry it.
std::vector<ClassCount> findClasses(const std::string& text, const std::vector<EntityMark>& marks);

// How the list shows one: "func_door (2)", or the bare name when the scene holds none.
std::string classCountText(const ClassCount& found);
