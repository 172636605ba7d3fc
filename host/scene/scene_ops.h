// What the host does with the nodes of a scene: clone, delete
// and list. Saving and loading are in scene_file.h.
#pragma once
#include <string>
#include <vector>
#include "plugins/plugin_registry.h"
#include "scene/scene.h"

// A new node with a clone of the source's object (or a copy of its stored bytes), the same
// transform, and the next free name of the same base ("Marker001" gives "Marker002").
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
