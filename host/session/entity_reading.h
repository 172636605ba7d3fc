// What a node is as an entity: the helper's classname, target name and targets, decoded
// from its stored chunks; for any other node its class name.
#pragma once
#include <string>
#include "class_pages.h"
#include "plugins/plugin_registry.h"
#include "session/entity_marks.h"
#include "scene/scene.h"

// A node whose object is one of the plug-in's entity helpers.
bool isHelperNode(const Node& node);

// A helper's entity; for another object its class name, for stored bytes "(unknown)".
EntityMark readEntityMark(const Node& node);

// The classname a node's helper stores, or "" for any other node.
std::string helperClassname(Node& node);
// The class page a node's helper asks for (Other for a node that holds no helper).
PageClass classPageOf(Node& node);
