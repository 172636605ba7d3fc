// The scene reader, in process with the real plug-in: an input is read; a scene that loads
// is saved, read back and saved again, and both saves must be the same bytes.
#include <cstring>
#include "chunk_mutator.h"
#include "fuzz_target.h"
#include "helper_nodes.h"
#include "loaded_plugins.h"
#include "scene/scene_ops.h"
#include "scene/scene_reader.h"
#include "scene/scene_writer.h"

namespace {

Bytes saved(Scene& scene) {
    MemorySink sink;
    std::string error;
    writeScene(scene, sink, error);
    return sink.bytes;
}

// One helper of every kind, with data and state that differ from the defaults.
Bytes everyKind() {
    Scene scene;
    std::string error;
    float x = 0;
    for (const PluginKind& kind : loadedPlugins().kinds()) {
        Node* node = createHelperNode(scene, kind, Point3(x, -x / 2, 2.5f), error);
        if (!node) continue;
        node->transform.RotateZ(x / 100);
        node->selected = x == 10;
        node->frozen = x == 20;
        node->hidden = x == 30;
        x += 10;
    }
    return saved(scene);
}

// A node of a class no plug-in provides, kept as its stored chunks.
Bytes storedBytes() {
    Scene scene;
    Node* node = scene.add(nullptr, Class_ID(0x1234, 0x5678), 0x50, "Stranger001");
    node->opaqueData = {0x01, 0x00, 0x0A, 0x00, 0x00, 0x00, 'a',  'b',  'c',  'd',  0x02,
                        0x00, 0x0C, 0x00, 0x00, 0x80, 0x03, 0x00, 0x06, 0x00, 0x00, 0x00};
    std::string error;
    createHelperNode(scene, loadedPlugins(), "Door", Point3(1, 2, 3), error);
    return saved(scene);
}

std::vector<Bytes> sceneSeeds() {
    Scene empty;
    return {saved(empty), everyKind(), storedBytes()};
}

bool read(const Bytes& bytes, Scene& scene, std::string& error) {
    MemorySource source(bytes);
    std::vector<std::string> warnings;
    return readScene(loadedPlugins(), source, scene, error, warnings);
}

std::string checkScene(const Bytes& input, bool& accepted) {
    Scene scene;
    std::string error;
    accepted = read(input, scene, error);
    if (!accepted) {
        if (error.empty() || error.find('\n') != std::string::npos)
            return "refused without a one-line message: \"" + error + "\"";
        return std::string();
    }
    MemorySink first;
    if (!writeScene(scene, first, error)) return "a loaded scene does not save: " + error;
    Scene again;
    if (!read(first.bytes, again, error)) return "a saved scene does not load: " + error;
    if (saved(again) != first.bytes)
        return "mismatch: saving the scene read back gives other bytes";
    return std::string();
}

}  // namespace

FuzzTarget sceneFileTarget() { return {"scene", ".vxs", sceneSeeds, mutateChunks, checkScene}; }
