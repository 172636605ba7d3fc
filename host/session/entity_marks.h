// What the host knows of each node's entity, and which entity fires which.
// Links are resolved from the marks once, when the marks change, not on every redraw.
#pragma once
#include <string>
#include <vector>
#include <optional>
#include "render/entity_overlay.h"
#include "render/light_glows.h"

class Node;

// One node's entity: its classname and the names that link it to others.
struct EntityMark {
    const Node* node = nullptr;
    std::string classname;
    std::string targetName;            // the name others fire at; empty when none
    std::vector<std::string> targets;  // the names it fires ("target", "killtarget")
    std::optional<int> lightStyle;     // a light's style; none for any other entity
};

// An entity firing its own name gets no arrow; a name fired twice, one arrow per carrier.
EntityLinks resolveLinks(const std::vector<EntityMark>& marks);

// Whether two marks differ in what links are made of (target name and targets).
bool sameLinkNames(const EntityMark& a, const EntityMark& b);

// What the overlay draws of the marks, in their order (the marks must outlive it).
std::vector<OverlayEntity> overlayEntities(const std::vector<EntityMark>& marks);
// The lights among the marks, with their styles.
std::vector<LitEntity> litEntities(const std::vector<EntityMark>& marks);
