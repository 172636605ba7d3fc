#include "scene/scene_reader.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include "kept_checks.h"
#include "kept_entity.h"
#include "scene/chunk_format.h"
#include "scene/chunk_reader.h"
#include "printable_name.h"
#include "scene/storable_node.h"

namespace {

std::string describeClass(Class_ID id, SClass_ID superClassId) {
    char text[80];
    std::snprintf(text, sizeof text, "class 0x%08X,0x%08X (superclass 0x%X)", id.PartA(),
                  id.PartB(), superClassId);
    return text;
}

// What one node chunk held, gathered before the node is built.
struct NodeRecord {
    int index = 0;
    bool hasName = false, hasTransform = false, hasState = false, hasClass = false;
    bool hasObject = false, hasKept = false;
    std::string name;
    Matrix3 transform{true};
    uint32_t state = 0;
    Class_ID classId;
    SClass_ID superClassId = 0;
    std::unique_ptr<Object, void (*)(Object*)> object{nullptr, [](Object* o) { o->DeleteThis(); }};
    std::vector<unsigned char> opaqueData;
    std::vector<unsigned char> kept;
    KeptEntity keptEntity;  // kept, decoded

    std::string label() const {
        std::string text = "node " + std::to_string(index);
        return hasName ? text + " '" + printableName(name) + "'" : text;
    }
};

// A data chunk of exactly size bytes.
bool readFixed(ChunkReader& r, void* data, uint32_t size, const char* what, std::string& error) {
    uint32_t read = 0;
    if (r.isList() || r.remaining() != size) {
        error =
            std::string("its ") + what + " chunk holds " +
            (r.isList() ? std::string("sub-chunks") : std::to_string(r.remaining()) + " bytes") +
            ", not " + std::to_string(size) + " bytes";
        return false;
    }
    r.readBlock(data, size, &read);
    return read == size;
}

bool readTransform(ChunkReader& r, Matrix3& tm, std::string& error) {
    unsigned char bytes[NODE_TRANSFORM_SIZE];
    if (!readFixed(r, bytes, sizeof bytes, "transform", error)) return false;
    for (int row = 0; row < 4; ++row)
        for (int axis = 0; axis < 3; ++axis)
            std::memcpy(&tm.rows[row][axis], bytes + (row * 3 + axis) * 4, 4);
    uint32_t flags;
    std::memcpy(&flags, bytes + 48, 4);
    tm.flags = flags & MAT_IDENT;
    error = transformProblem(tm);
    return error.empty();
}

// Checks that stored bytes are well-formed chunks, nested lists included.
bool validChunkList(ChunkReader& r) {
    while (r.nextChunk() == IO_OK)
        if ((r.isList() && !validChunkList(r)) || r.leaveChunk() != IO_OK) return false;
    return !r.failed();
}

bool keepOpaque(ChunkReader& r, NodeRecord& node, std::string& error) {
    uint64_t objectOffset = r.chunkOffset();
    if (!r.readRest(node.opaqueData)) return false;
    MemorySource stored(node.opaqueData);
    ChunkReader check(stored, objectOffset + CHUNK_HEADER_SIZE,
                      "chunk " + chunkIdText(SCENE_CHUNK_NODE_OBJECT) + " at offset " +
                          std::to_string(objectOffset));
    if (!validChunkList(check)) {
        error = "its stored object is malformed: " + check.error();
        return false;
    }
    return true;
}

bool loadObject(const PluginRegistry& registry, ChunkReader& r, NodeRecord& node,
                std::string& error, std::vector<std::string>& warnings) {
    if (!node.hasClass) {
        error = "its object chunk comes before its class chunk";
        return false;
    }
    if (!r.isList()) {
        error = "its object chunk holds data instead of chunks";
        return false;
    }
    const PluginKind* kind = registry.findByClassId(node.classId, node.superClassId);
    if (!kind) {
        warnings.push_back(node.label() + ": " + describeClass(node.classId, node.superClassId) +
                           " is provided by no plug-in; kept as stored bytes");
        return keepOpaque(r, node, error);
    }
    Animatable* made = kind->desc->create(1);
    Object* object = made ? dynamic_cast<Object*>(made) : nullptr;
    if (!object) {
        if (made) made->DeleteThis();
        error =
            "the plug-in could not create its " + describeClass(node.classId, node.superClassId);
        return false;
    }
    node.object.reset(object);
    size_t depth = r.depth();
    r.setFloor(depth);
    IOResult loaded = object->Load(&r);
    r.setFloor(0);
    if (loaded != IO_OK) {
        error = "the object rejected its chunks (result " + std::to_string(loaded) + ")";
        if (r.failed()) error += ": " + r.error();
        return false;
    }
    // Sub-chunks the object opened and did not leave.
    while (!r.failed() && r.depth() > depth) r.leaveChunk();
    return !r.failed();
}

// Read whole and decoded once, so that a malformed one refuses the file here, not at export;
// checked once the node's position is known.
bool readKept(ChunkReader& r, NodeRecord& node, std::string& error) {
    if (r.isList()) {
        error = "its kept map data chunk holds sub-chunks";
        return false;
    }
    return r.readRest(node.kept) &&
           decodeKeptEntity(node.kept.data(), node.kept.size(), node.keptEntity, error);
}

bool readNodeChunk(const PluginRegistry& registry, ChunkReader& r, NodeRecord& node,
                   std::string& error, std::vector<std::string>& warnings) {
    uint16_t id = r.chunkId();
    bool* seen = id == SCENE_CHUNK_NODE_NAME        ? &node.hasName
                 : id == SCENE_CHUNK_NODE_TRANSFORM ? &node.hasTransform
                 : id == SCENE_CHUNK_NODE_STATE     ? &node.hasState
                 : id == SCENE_CHUNK_NODE_CLASS     ? &node.hasClass
                 : id == SCENE_CHUNK_NODE_OBJECT    ? &node.hasObject
                 : id == SCENE_CHUNK_NODE_KEPT      ? &node.hasKept
                                                    : nullptr;
    if (!seen) {
        error = "it holds an unknown chunk " + chunkIdText(id);
        return false;
    }
    if (*seen) {
        error = "it holds chunk " + chunkIdText(id) + " twice";
        return false;
    }
    *seen = true;
    switch (id) {
        case SCENE_CHUNK_NODE_NAME:
            error = nameLengthProblem(r.remaining());
            if (!error.empty()) node.hasName = false;  // not read: the label shows no name
            return error.empty() && r.readRest(node.name);
        case SCENE_CHUNK_NODE_TRANSFORM:
            return readTransform(r, node.transform, error);
        case SCENE_CHUNK_NODE_STATE:
            return readFixed(r, &node.state, sizeof node.state, "state", error);
        case SCENE_CHUNK_NODE_CLASS: {
            uint32_t words[3];
            if (!readFixed(r, words, sizeof words, "class", error)) return false;
            node.classId = Class_ID(words[0], words[1]);
            node.superClassId = words[2];
            return true;
        }
        case SCENE_CHUNK_NODE_KEPT:
            return readKept(r, node, error);
        default:
            return loadObject(registry, r, node, error, warnings);
    }
}

const char* missingNodeChunk(const NodeRecord& node) {
    if (!node.hasName) return "name";
    if (!node.hasTransform) return "transform";
    if (!node.hasState) return "state";
    if (!node.hasClass) return "class";
    if (!node.hasObject) return "object";
    return nullptr;
}

Node* addNode(Scene& scene, NodeRecord& record) {
    Object* object = record.object.release();
    Class_ID classId = object ? object->ClassID() : record.classId;
    SClass_ID superClassId = object ? object->SuperClassID() : record.superClassId;
    Node* node = scene.add(object, classId, superClassId, record.name);
    scene.setTransform(*node, record.transform);
    scene.setFlag(*node, NodeFlag::Frozen, (record.state & NODE_STATE_FROZEN) != 0);
    scene.setFlag(*node, NodeFlag::Hidden, (record.state & NODE_STATE_HIDDEN) != 0);
    scene.setOpaqueData(*node, std::move(record.opaqueData));
    if (record.hasKept)
        scene.setKept(*node,
                      std::make_shared<const std::vector<unsigned char>>(std::move(record.kept)));
    return node;
}

// Adds the node read to the scene, and to selected when it was stored selected.
bool readNode(const PluginRegistry& registry, ChunkReader& r, Scene& scene, int index,
              std::vector<Node*>& selected, std::string& error,
              std::vector<std::string>& warnings) {
    NodeRecord record;
    record.index = index;
    std::string what;
    while (r.nextChunk() == IO_OK) {
        if (!readNodeChunk(registry, r, record, what, warnings) || r.leaveChunk() != IO_OK) break;
    }
    if (what.empty() && r.failed()) what = r.error();
    if (what.empty() && missingNodeChunk(record))
        what = std::string("it has no ") + missingNodeChunk(record) + " chunk";
    if (what.empty() && record.hasKept)
        what = keptDataProblem(record.keptEntity, record.transform.GetTrans());
    if (!what.empty()) {
        error = record.label() + ": " + what;
        return false;
    }
    Node* node = addNode(scene, record);
    if (record.state & NODE_STATE_SELECTED) selected.push_back(node);
    return true;
}

bool readHeader(ByteSource& source, std::string& error) {
    unsigned char header[CHUNK_HEADER_SIZE + 8] = {};
    size_t got = source.read(header, sizeof header);
    uint16_t id = 0;
    uint32_t length = 0, magic = 0, version = 0;
    std::memcpy(&id, header, 2);
    std::memcpy(&length, header + 2, 4);
    std::memcpy(&magic, header + 6, 4);
    std::memcpy(&version, header + 10, 4);
    if (got == 0) {
        error = "the file is empty";
    } else if ((got >= 2 && id != SCENE_CHUNK_HEADER) || (got >= 10 && magic != SCENE_FILE_MAGIC)) {
        error = "not a scene file (wrong magic)";
    } else if (got < sizeof header) {
        error = "truncated: the file header is incomplete";
    } else if (length != sizeof header) {
        error = "the file header has length " + std::to_string(length) + ", not " +
                std::to_string(sizeof header);
    } else if (version != SCENE_FILE_VERSION) {
        error = "unsupported format version " + std::to_string(version) +
                " (this host reads version " + std::to_string(SCENE_FILE_VERSION) + ")";
    }
    return error.empty();
}

std::string unexpectedChunk(ChunkReader& r) {
    return "unexpected chunk " + chunkIdText(r.chunkId()) + " at offset " +
           std::to_string(r.chunkOffset());
}

// The end chunk: the node count must match, and nothing may follow.
bool readEnd(ChunkReader& r, int nodes, std::string& error) {
    uint32_t count = 0;
    if (!readFixed(r, &count, sizeof count, "end", error)) {
        if (error.empty()) error = r.error();
        return false;
    }
    if (count != static_cast<uint32_t>(nodes)) {
        error = "the end chunk counts " + std::to_string(count) + " nodes, the file holds " +
                std::to_string(nodes);
        return false;
    }
    if (r.leaveChunk() != IO_OK || r.nextChunk() != IO_END) {
        error = r.failed() ? r.error() : unexpectedChunk(r) + " after the end chunk";
        return false;
    }
    return true;
}

}  // namespace

bool readScene(const PluginRegistry& registry, ByteSource& source, Scene& into, std::string& error,
               std::vector<std::string>& warnings, const ProgressReport& progress) {
    if (!readHeader(source, error)) return false;
    ChunkReader r(source);
    int nodes = 0;
    std::vector<Node*> selected;
    while (r.nextChunk() == IO_OK) {
        if (r.chunkId() == SCENE_CHUNK_END) {
            if (progress) progress(source.size(), source.size());
            into.setSelection(selected);
            return readEnd(r, nodes, error);
        }
        if (r.chunkId() != SCENE_CHUNK_NODE || !r.isList()) {
            error = unexpectedChunk(r);
            return false;
        }
        if (!readNode(registry, r, into, ++nodes, selected, error, warnings)) return false;
        if (progress && nodes % PROGRESS_STEP == 0) progress(source.position(), source.size());
        if (r.leaveChunk() != IO_OK) break;
    }
    error = r.failed() ? r.error() : "truncated: the file ends before its end chunk";
    return false;
}

bool loadScene(const PluginRegistry& registry, const std::string& path, Scene& scene,
               std::string& error, std::vector<std::string>* warnings,
               const ProgressReport& progress) {
    FileSource source;
    if (!source.open(path)) {
        error = path + ": cannot open (" + systemErrorText(GetLastError()) + ")";
        return false;
    }
    Scene fresh;
    std::vector<std::string> notes;
    std::string what;
    if (!readScene(registry, source, fresh, what, notes, progress)) {
        error = path + ": " + what;
        return false;
    }
    scene.swapNodes(fresh);
    if (warnings)
        for (const std::string& note : notes) warnings->push_back(path + ": " + note);
    return true;
}
