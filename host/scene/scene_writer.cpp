#include "scene/scene_writer.h"
#include <cstring>
#include "scene/chunk_format.h"
#include "scene/chunk_writer.h"
#include "printable_name.h"
#include "scene/storable_node.h"

namespace {

std::string nodeLabel(const Node& node) { return "node '" + printableName(node.name()) + "'"; }

void writeDataChunk(ChunkWriter& w, uint16_t id, const void* data, uint32_t size) {
    uint32_t written = 0;
    w.startChunk(id);
    w.writeBlock(data, size, &written);
    w.finishChunk();
}

void writeTransform(ChunkWriter& w, const Matrix3& tm) {
    unsigned char bytes[NODE_TRANSFORM_SIZE];
    for (int row = 0; row < 4; ++row)
        for (int axis = 0; axis < 3; ++axis) {
            float v = tm.rows[row][axis];
            std::memcpy(bytes + (row * 3 + axis) * 4, &v, 4);
        }
    uint32_t flags = tm.flags;
    std::memcpy(bytes + 48, &flags, 4);
    writeDataChunk(w, SCENE_CHUNK_NODE_TRANSFORM, bytes, sizeof bytes);
}

uint32_t nodeStateBits(const Node& node) {
    return (node.selected() ? NODE_STATE_SELECTED : 0) | (node.frozen() ? NODE_STATE_FROZEN : 0) |
           (node.hidden() ? NODE_STATE_HIDDEN : 0);
}

bool writeNodeObject(ChunkWriter& w, Node& node, std::string& error) {
    w.startChunk(SCENE_CHUNK_NODE_OBJECT);
    if (node.isOpaque()) {
        w.writeFramed(node.opaqueData());
    } else {
        w.markList();
        size_t depth = w.depth();
        w.setFloor(depth);
        IOResult saved = node.object()->Save(&w);
        w.setFloor(0);
        if (saved != IO_OK) {
            error = nodeLabel(node) + ": the object's save failed (result " +
                    std::to_string(saved) + ")";
            return false;
        }
        if (!w.failed() && w.depth() != depth) {
            error = nodeLabel(node) + ": the object left a chunk open";
            return false;
        }
    }
    w.finishChunk();
    return true;
}

bool writeNode(ChunkWriter& w, Node& node, std::string& error) {
    std::string problem = storableNodeProblem(node.name(), node.transform());
    if (!problem.empty()) {
        error = nodeLabel(node) + ": " + problem;
        return false;
    }
    Class_ID classId = node.isOpaque() ? node.classId() : node.object()->ClassID();
    SClass_ID superClassId = node.isOpaque() ? node.superClassId() : node.object()->SuperClassID();
    uint32_t classWords[3] = {classId.PartA(), classId.PartB(), superClassId};
    uint32_t state = nodeStateBits(node);

    w.startChunk(SCENE_CHUNK_NODE);
    writeDataChunk(w, SCENE_CHUNK_NODE_NAME, node.name().data(),
                   static_cast<uint32_t>(node.name().size()));
    writeTransform(w, node.transform());
    writeDataChunk(w, SCENE_CHUNK_NODE_STATE, &state, sizeof state);
    writeDataChunk(w, SCENE_CHUNK_NODE_CLASS, classWords, sizeof classWords);
    if (!writeNodeObject(w, node, error)) return false;
    if (node.kept())
        writeDataChunk(w, SCENE_CHUNK_NODE_KEPT, node.kept()->data(),
                       static_cast<uint32_t>(node.kept()->size()));
    w.finishChunk();
    if (w.failed()) {
        error = nodeLabel(node) + ": " + w.error();
        return false;
    }
    return true;
}

}  // namespace

bool writeScene(Scene& scene, ByteSink& sink, std::string& error, const ProgressReport& progress) {
    ChunkWriter w(sink);
    uint32_t header[2] = {SCENE_FILE_MAGIC, SCENE_FILE_VERSION};
    writeDataChunk(w, SCENE_CHUNK_HEADER, header, sizeof header);
    uint64_t done = 0, total = scene.size();
    for (const auto& node : scene.nodes()) {
        if (!writeNode(w, *node, error)) return false;
        if (progress && ++done % PROGRESS_STEP == 0) progress(done, total);
    }
    if (progress) progress(total, total);
    uint32_t count = static_cast<uint32_t>(scene.size());
    writeDataChunk(w, SCENE_CHUNK_END, &count, sizeof count);
    if (w.failed()) error = w.error();
    return !w.failed();
}

bool saveScene(Scene& scene, const std::string& path, std::string& error,
               const ProgressReport& progress) {
    return writeFileReplacing(
        path,
        [&](ByteSink& sink, std::string& what) { return writeScene(scene, sink, what, progress); },
        error);
}
