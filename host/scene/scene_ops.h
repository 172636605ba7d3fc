// What the host does with the nodes of a scene: create a helper of a kind, clone, delete
// and list. Saving and loading are in scene_writer.h and scene_reader.h.
#pragma once
#include <string>
#include <vector>
#include "plugins/plugin_registry.h"
#include "scene/scene.h"

// A new node holding an object made by the kind's descriptor, at position, named after the
// kind ("Door001"). Null with a message when the descriptor makes nothing usable.
Node* createHelperNode(Scene& scene, const PluginKind& kind, const Point3& position,
                       std::string& error);
// The same for the kind listed under kindName (case-insensitive).
Node* createHelperNode(Scene& scene, const PluginRegistry& registry, const std::string& kindName,
                       const Point3& position, std::string& error);

// A new node with a clone of the source's object (or a copy of its stored bytes), the same
// transform, and the next free name of the same base ("Door001" gives "Door002").
Node* cloneNode(Scene& scene, Node& source, std::string& error);

void deleteNode(Scene& scene, Node* node);

struct NodeListing {
    std::string name;
    std::string className;  // the object's class-name query; empty for stored bytes
    std::string kindName;   // the kind the registry creates it through; empty if none
    Class_ID classId;
    SClass_ID superClassId = 0;
    Point3 position;
    bool selected = false, frozen = false, hidden = false;
    bool opaque = false;  // kept as stored bytes: no plug-in provides its class
};

std::vector<NodeListing> listNodes(const Scene& scene, const PluginRegistry& registry);
// One line per node: name, class name, kind, class id, position and state.
std::string formatNodeList(const std::vector<NodeListing>& nodes);
