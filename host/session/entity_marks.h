// What the host knows of each node's entity for drawing, and which entity fires which.
// Links are resolved from the marks once, when the marks change, not on every redraw.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class Node;

// What the overlay needs to know of one node's entity.
struct EntityMark {
    const Node* node = nullptr;
    std::string classname;
    std::string targetName;            // the name others fire at; empty when none
    std::vector<std::string> targets;  // the names it fires ("target", "killtarget")
};

// Positions in the marks the links were resolved from.
struct EntityLinks {
    struct Arrow {
        size_t from, to;
    };
    std::vector<Arrow> arrows;     // from a mark that fires a name to each mark carrying it
    std::vector<size_t> dangling;  // marks firing a name that no mark carries, once each
};

// An entity firing its own name gets no arrow; a name fired twice, one arrow per carrier.
EntityLinks resolveLinks(const std::vector<EntityMark>& marks);

// Whether two marks differ in what links are made of (target name and targets).
bool sameLinkNames(const EntityMark& a, const EntityMark& b);
