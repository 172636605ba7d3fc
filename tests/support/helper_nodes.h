// Scenes for tests, built straight from a kind's descriptor (the host itself creates
// helpers through their creation procedure, with a click).
#pragma once
#include <cstdio>
#include <string>
#include "plugins/plugin_registry.h"
#include "scene/scene.h"

// The plug-ins of the test's folder (the built one), loaded once; a failure to load is
// said on stderr, and every kind asked for is then missing.
inline const PluginRegistry& pluginRegistry() {
    static PluginRegistry registry;
    static const bool loaded = [] {
        std::string error;
        if (registry.loadFolder("plugins", error)) return true;
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }();
    (void)loaded;
    return registry;
}

// A new node holding an object made by the kind's descriptor, at position, named after the
// kind ("Door001"). Null with a message when the descriptor makes nothing usable.
inline Node* createHelperNode(Scene& scene, const PluginKind& kind, const Point3& position,
                              std::string& error) {
    Animatable* made = kind.desc->create(0);
    Object* object = made ? dynamic_cast<Object*>(made) : nullptr;
    if (!object) {
        if (made) made->DeleteThis();
        error = "\"" + kind.className + "\": the plug-in made no object";
        return nullptr;
    }
    Node* node = scene.add(object, object->ClassID(), object->SuperClassID(),
                           scene.uniqueName(kind.nodeNameBase()));
    scene.setPosition(*node, position);
    return node;
}

// The same for the kind listed under kindName (case-insensitive).
inline Node* createHelperNode(Scene& scene, const PluginRegistry& registry,
                              const std::string& kindName, const Point3& position,
                              std::string& error) {
    const PluginKind* kind = registry.findByName(kindName);
    if (!kind) {
        error = "\"" + kindName + "\": no plug-in offers this kind";
        return nullptr;
    }
    return createHelperNode(scene, *kind, position, error);
}
