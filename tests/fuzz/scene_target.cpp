// The scene reader, in process with the real plug-in: an input is read; a scene that loads
// is saved, read back and saved again, and both saves must be the same bytes. Its helpers
// export as map text that reads and imports whole, or are refused with one line: what a
// node keeps of its map entity was checked on load.
#include <cstring>
#include <memory>
#include "chunk_mutator.h"
#include "fuzz_target.h"
#include "helper_chunks.h"
#include "helper_levels.h"
#include "helper_nodes.h"
#include "loaded_plugins.h"
#include "map_export.h"
#include "map_import.h"
#include "scene/scene_ops.h"
#include "scene/scene_reader.h"
#include "scene/scene_writer.h"
#include "session/entity_reading.h"

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
        Matrix3 turned = node->transform();
        turned.RotateZ(x / 100);
        scene.setTransform(*node, turned);
        if (x == 10) scene.setSelection({node});
        scene.setFlag(*node, NodeFlag::Frozen, x == 20);
        scene.setFlag(*node, NodeFlag::Hidden, x == 30);
        x += 10;
    }
    return saved(scene);
}

// A node of a class no plug-in provides, kept as its stored chunks.
Bytes storedBytes() {
    Scene scene;
    Node* node = scene.add(nullptr, Class_ID(0x1234, 0x5678), 0x50, "Stranger001");
    scene.setOpaqueData(*node, {0x01, 0x00, 0x0A, 0x00, 0x00, 0x00, 'a',  'b',  'c',  'd',  0x02,
                                0x00, 0x0C, 0x00, 0x00, 0x80, 0x03, 0x00, 0x06, 0x00, 0x00, 0x00});
    std::string error;
    createHelperNode(scene, loadedPlugins(), "Door", Point3(1, 2, 3), error);
    return saved(scene);
}

const auto noName = [](const std::string&) { return false; };

// A level imported as a scene: nodes keeping brushes, pairs, origins and the world's text.
Bytes importedLevel(const char* level) {
    const Bytes bytes = levelFile(level);
    MapText map;
    MapTextError where;
    MapImport imported;
    std::string error;
    Scene scene;
    if (!readMapText(std::string(bytes.begin(), bytes.end()), map, where) ||
        !importMap(map, helperDescriptor(), noName, imported, error))
        return saved(scene);
    for (ImportedHelper& helper : imported.helpers) {
        Object* object = helper.helper.release();
        Node* node = scene.add(object, object->ClassID(), object->SuperClassID(), helper.name);
        scene.setPosition(*node, helper.position);
        scene.setKept(*node, std::make_shared<const std::vector<unsigned char>>(
                                 encodeKeptEntity(*helper.kept)));
    }
    return saved(scene);
}

std::vector<Bytes> sceneSeeds() {
    Scene empty;
    return {saved(empty), everyKind(), storedBytes(), importedLevel("level_plain.map"),
            importedLevel("level_brushdef3.map")};
}

// The scene's helpers as export takes them; false when one cannot be read.
bool sceneHelpers(Scene& scene, std::vector<HelperEntry>& helpers, std::string& error) {
    for (const auto& node : scene.nodes()) {
        if (!isHelperNode(*node)) continue;
        HelperEntry entry{node->name(), node->position(), {}, nullptr};
        if (!readHelperRecord(*node->object(), entry.record, error)) return false;
        if (node->kept()) {
            auto kept = std::make_shared<KeptEntity>();
            if (!decodeKeptEntity(node->kept()->data(), node->kept()->size(), *kept, error))
                return false;
            entry.kept = kept;
        }
        helpers.push_back(std::move(entry));
    }
    return true;
}

// Export refuses with one line, or writes a map that imports every helper, and no more.
std::string exportFault(Scene& scene) {
    std::vector<HelperEntry> helpers;
    std::string error, text;
    if (!sceneHelpers(scene, helpers, error)) return "a loaded helper does not read: " + error;
    if (!writeMap(helpers, nullptr, text, error))
        return error.empty() || error.find('\n') != std::string::npos
                   ? "export refused without a one-line message: \"" + error + "\""
                   : std::string();
    MapText map;
    MapTextError where;
    if (!readMapText(text, map, where))
        return "the export does not read: " + std::to_string(where.line) + ":" +
               std::to_string(where.column) + ": " + where.message;
    MapImport imported;
    if (!importMap(map, helperDescriptor(), noName, imported, error)) return error;
    for (const ImportNote& note : imported.notes)
        if (note.error) return "the export does not import whole: " + note.text;
    size_t worlds = 0;
    for (const HelperEntry& helper : helpers)
        worlds += isWorldClassname(helper.record.classnameText());
    const size_t written = helpers.size() + (worlds == 0 ? 1 : 0);
    if (imported.helpers.size() != written)
        return "the export imports " + std::to_string(imported.helpers.size()) + " entities for " +
               std::to_string(written);
    return std::string();
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
    return exportFault(scene);
}

}  // namespace

FuzzTarget sceneFileTarget() { return {"scene", ".vxs", sceneSeeds, mutateChunks, checkScene}; }
