// Scene files of the reference host: a header chunk (magic, version), then one list chunk
// per node holding its name, transform, state, class and the object's own chunks. The host
// never looks inside an object's chunks; an object whose class no plug-in provides travels
// as its stored bytes.
//
// Every failure is one line that names the file and what is wrong.
#pragma once
#include <string>
#include <vector>
#include "plugins/plugin_registry.h"
#include "scene/byte_io.h"
#include "scene/progress.h"
#include "scene/scene.h"

// Writes a temporary file beside path and renames it over path: a failed save leaves the
// old file as it was.
bool saveScene(Scene& scene, const std::string& path, std::string& error,
               const ProgressReport& progress = {});

// Replaces the scene's nodes with those of the file, or leaves the scene untouched and
// reports the error. Warnings (objects kept as stored bytes) go to warnings when given.
bool loadScene(const PluginRegistry& registry, const std::string& path, Scene& scene,
               std::string& error, std::vector<std::string>* warnings = nullptr,
               const ProgressReport& progress = {});

// The same without the file: the error and warning texts name no file.
// Progress counts nodes written, and bytes read.
bool writeScene(Scene& scene, ByteSink& sink, std::string& error,
                const ProgressReport& progress = {});
bool readScene(const PluginRegistry& registry, ByteSource& source, Scene& into, std::string& error,
               std::vector<std::string>& warnings, const ProgressReport& progress = {});
