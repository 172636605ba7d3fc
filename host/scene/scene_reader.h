// Reading the reference host's scene files (the layout is in scene_writer.h). A file is
// read whole into a fresh scene: a malformed file, a node transform that is not finite
// numbers or a node name over NODE_NAME_MAX_BYTES gives one line naming the file, the node
// and what is wrong, and the scene is left untouched.
#pragma once
#include <string>
#include <vector>
#include "plugins/plugin_registry.h"
#include "scene/byte_io.h"
#include "scene/progress.h"
#include "scene/scene.h"

// Replaces the scene's nodes with those of the file, or leaves the scene untouched and
// reports the error. Warnings (objects kept as stored bytes) go to warnings when given.
bool loadScene(const PluginRegistry& registry, const std::string& path, Scene& scene,
               std::string& error, std::vector<std::string>* warnings = nullptr,
               const ProgressReport& progress = {});

// The same without the file: the error and warning texts name no file. Progress counts
// bytes read.
bool readScene(const PluginRegistry& registry, ByteSource& source, Scene& into, std::string& error,
               std::vector<std::string>& warnings, const ProgressReport& progress = {});
