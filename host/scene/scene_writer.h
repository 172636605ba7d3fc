// Writing the reference host's scene files: a header chunk (magic, version), then one list
// chunk per node holding its name, transform, state, class and the object's own chunks, and
// an end chunk with the node count. The host never looks inside an object's chunks; an
// object whose class no plug-in provides is written back as its stored bytes.
//
// Every failure is one line that names the file and what is wrong.
#pragma once
#include <string>
#include "scene/byte_io.h"
#include "scene/progress.h"
#include "scene/scene.h"

// Writes a temporary file beside path and renames it over path: a failed save leaves the
// old file as it was.
bool saveScene(Scene& scene, const std::string& path, std::string& error,
               const ProgressReport& progress = {});

// The same without the file: the error names no file. Progress counts nodes written.
bool writeScene(Scene& scene, ByteSink& sink, std::string& error,
                const ProgressReport& progress = {});
