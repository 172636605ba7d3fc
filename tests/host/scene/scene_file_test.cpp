// Scene files with the real plug-in: every kind saved and loaded back, objects of unknown
// classes kept as bytes, every kind of damaged file refused whole, and atomic saving.
#include <cmath>
#include "scene_test_support.h"
#include "scene/chunk_format.h"
#include "scene/chunk_writer.h"
#include "scene/scene_reader.h"
#include "scene/scene_writer.h"
#include "scene/scene_ops.h"

namespace {

// One helper of each kind, some with edited data and node state.
void fillEveryKind(Scene& scene) {
    const PluginRegistry& registry = pluginRegistry();
    std::string error;
    float x = 0;
    for (const PluginKind& kind : registry.kinds()) {
        ASSERT_NE(createHelperNode(scene, kind, Point3(x, -x / 2, 2.5f), error), nullptr) << error;
        x += 10;
    }
    VexalEntityHelper* door = helperOf(scene.find("Door001"));
    door->showAxis = 0;
    door->axisLength = 35.5f;
    auto* raw = reinterpret_cast<unsigned char*>(&door->props);
    for (size_t i = 0; i < sizeof door->props; ++i) raw[i] = static_cast<unsigned char>(i ^ 0xA5);
    scene.setSelection({scene.nodes()[2].get()});
    scene.setFlag(*scene.nodes()[3], NodeFlag::Frozen, true);
    scene.setFlag(*scene.nodes()[4], NodeFlag::Hidden, true);
    Matrix3 turned = scene.nodes()[5]->transform();
    turned.RotateZ(0.5f);
    scene.setTransform(*scene.nodes()[5], turned);
}

void expectSameNodes(const Scene& a, const Scene& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        const Node& x = *a.nodes()[i];
        const Node& y = *b.nodes()[i];
        SCOPED_TRACE(x.name);
        EXPECT_EQ(x.name, y.name);
        EXPECT_TRUE(x.transform() == y.transform());
        EXPECT_EQ(x.selected, y.selected);
        EXPECT_EQ(x.frozen, y.frozen);
        EXPECT_EQ(x.hidden, y.hidden);
        EXPECT_EQ(x.classId, y.classId);
        EXPECT_EQ(x.superClassId, y.superClassId);
        EXPECT_EQ(x.isOpaque(), y.isOpaque());
        EXPECT_EQ(x.opaqueData, y.opaqueData);
        if (x.isOpaque() || y.isOpaque()) continue;
        auto* h = static_cast<VexalEntityHelper*>(x.object());
        auto* k = static_cast<VexalEntityHelper*>(y.object());
        EXPECT_STREQ(h->classname, k->classname);
        EXPECT_EQ(h->classIndex, k->classIndex);
        EXPECT_EQ(h->showAxis, k->showAxis);
        EXPECT_EQ(h->axisLength, k->axisLength);
        EXPECT_EQ(std::memcmp(&h->props, &k->props, sizeof h->props), 0);
    }
}

TEST(SceneFile, EveryKindSavesAndLoadsBackAndSavesToTheSameBytes) {
    Scene original;
    fillEveryKind(original);
    ScratchFile first("every_kind"), second("every_kind_again");
    std::string error;
    ASSERT_TRUE(saveScene(original, first.path(), error)) << error;

    Scene loaded;
    Node* stale = loaded.add(nullptr, Class_ID(1, 1), 0x50, "Replaced001");
    std::vector<std::string> warnings;
    ASSERT_TRUE(loadScene(pluginRegistry(), first.path(), loaded, error, &warnings)) << error;
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(loaded.find("Replaced001"), nullptr);
    EXPECT_NE(loaded.nodes()[0].get(), stale);
    expectSameNodes(original, loaded);
    EXPECT_STREQ(helperOf(loaded.find("TeleportDest001"))->classname, "info_teleport_destination");
    EXPECT_EQ(helperOf(loaded.find("TeleportDest001"))->classIndex, 28);

    ASSERT_TRUE(saveScene(loaded, second.path(), error)) << error;
    EXPECT_EQ(readFileBytes(second.path()), readFileBytes(first.path()));
    EXPECT_EQ(GetFileAttributesA((first.path() + ".saving").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SceneFile, AnEmptySceneRoundTrips) {
    Scene empty, loaded;
    ScratchFile file("empty");
    std::string error;
    ASSERT_TRUE(saveScene(empty, file.path(), error)) << error;
    EXPECT_EQ(readFileBytes(file.path()).size(), 14u + 10u);
    loaded.add(nullptr, Class_ID(1, 1), 0x50, "Old001");
    ASSERT_TRUE(loadScene(pluginRegistry(), file.path(), loaded, error)) << error;
    EXPECT_EQ(loaded.size(), 0u);
}

// A saved two-helper scene, and the offsets of its parts.
struct SmallScene {
    std::vector<unsigned char> bytes;
    SmallScene() {
        Scene scene;
        std::string error;
        createHelperNode(scene, pluginRegistry(), "Door", Point3(1, 2, 3), error);
        createHelperNode(scene, pluginRegistry(), "Trigger Once", Point3(4, 5, 6), error);
        ScratchFile file("small");
        EXPECT_TRUE(saveScene(scene, file.path(), error)) << error;
        bytes = readFileBytes(file.path());
    }
    long at(std::vector<uint16_t> path, int node = 0) const {
        long offset = chunkOffset(bytes, path, node);
        EXPECT_GE(offset, 0);
        return offset;
    }
};

TEST(SceneFile, DamagedFilesAreRefusedWholeWithOneLineNamingTheFile) {
    SmallScene small;
    const long node1 = small.at({SCENE_CHUNK_NODE}, 1);
    const long object0 = small.at({SCENE_CHUNK_NODE, SCENE_CHUNK_NODE_OBJECT});
    const long axis0 = small.at({SCENE_CHUNK_NODE, SCENE_CHUNK_NODE_OBJECT, 0x0100});
    const long class1 = small.at({SCENE_CHUNK_NODE, SCENE_CHUNK_NODE_CLASS}, 1);
    const long name0 = small.at({SCENE_CHUNK_NODE, SCENE_CHUNK_NODE_NAME});
    const long end = static_cast<long>(small.bytes.size()) - 10;
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
        std::string message;
    };
    auto edited = [&](auto edit) {
        std::vector<unsigned char> b = small.bytes;
        edit(b);
        return b;
    };
    std::vector<Case> cases = {
        {"empty", {}, "the file is empty"},
        {"cut in the header", edited([](auto& b) { b.resize(9); }),
         "truncated: the file header is incomplete"},
        {"cut inside a node", edited([&](auto& b) { b.resize(node1 + 40); }),
         "truncated: chunk 0x4100 at offset " + std::to_string(node1)},
        {"cut between nodes", edited([&](auto& b) { b.resize(node1); }),
         "truncated: the file ends before its end chunk"},
        {"wrong magic", edited([](auto& b) { b[7] ^= 0x20; }), "not a scene file (wrong magic)"},
        {"another kind of file",
         [] {
             std::string text = "just some text, not a scene at all\n";
             return std::vector<unsigned char>(text.begin(), text.end());
         }(),
         "not a scene file (wrong magic)"},
        {"unknown version", edited([](auto& b) { putWord(b, 10, 2); }),
         "unsupported format version 2 (this host reads version 1)"},
        {"node part past its node", edited([&](auto& b) { putWord(b, name0 + 2, 5000); }),
         "node 1: chunk 0x4110 at offset " + std::to_string(name0) +
             " (5000 bytes) runs past its container, chunk 0x4100 at offset 14"},
        {"object chunk past the object", edited([&](auto& b) { putWord(b, axis0 + 2, 0x7000); }),
         "node 1 'Door001': chunk 0x0100 at offset " + std::to_string(axis0) +
             " (28672 bytes) runs past its container, chunk 0x4150 at offset " +
             std::to_string(object0)},
        {"object chunk shorter than a header", edited([&](auto& b) { putWord(b, axis0 + 2, 3); }),
         "node 1 'Door001': chunk 0x0100 at offset " + std::to_string(axis0) +
             " has length 3, shorter than its header"},
        {"a node part twice", edited([&](auto& b) { b[class1] = 0x30; }),
         "node 2 'TriggerOnce001': it holds chunk 0x4130 twice"},
        {"unknown node part", edited([&](auto& b) { b[class1] = 0x41; }),
         "node 2 'TriggerOnce001': it holds an unknown chunk 0x4141"},
        {"end count wrong", edited([&](auto& b) { putWord(b, end + 6, 3); }),
         "the end chunk counts 3 nodes, the file holds 2"},
        {"data after the end", edited([](auto& b) {
             b.insert(b.end(), {0x00, 0x41, 0x06, 0, 0, 0});
         }),
         "unexpected chunk 0x4100 at offset " + std::to_string(small.bytes.size()) +
             " after the end chunk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFile file("damaged");
        writeFileBytes(file.path(), c.bytes);
        Scene scene;
        Node* kept = scene.add(nullptr, Class_ID(7, 7), 0x50, "Kept001");
        scene.setOpaqueData(*kept, {1, 2, 3});
        std::string error;
        EXPECT_FALSE(loadScene(pluginRegistry(), file.path(), scene, error));
        EXPECT_EQ(error.rfind(file.path() + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
        ASSERT_EQ(scene.size(), 1u);
        EXPECT_EQ(scene.nodes()[0].get(), kept);
        EXPECT_EQ(kept->opaqueData(), (std::vector<unsigned char>{1, 2, 3}));
    }
}

// A source whose bytes stop arriving at a given offset, as when a file shrinks or a disk
// fails while it is read.
class FailingSource : public MemorySource {
public:
    FailingSource(const std::vector<unsigned char>& bytes, uint64_t failAt)
        : MemorySource(bytes), failAt_(failAt) {}
    size_t read(void* data, size_t n) override {
        uint64_t left = failAt_ > position() ? failAt_ - position() : 0;
        return MemorySource::read(data, std::min<uint64_t>(n, left));
    }
    bool skip(uint64_t n) override { return position() + n <= failAt_ && MemorySource::skip(n); }

private:
    uint64_t failAt_;
};

TEST(SceneFile, AnObjectThatRejectsItsChunksFailsTheLoad) {
    SmallScene small;
    const long record = small.at({SCENE_CHUNK_NODE, SCENE_CHUNK_NODE_OBJECT, 0x0130});
    FailingSource source(small.bytes, record + 100);
    Scene scene;
    std::string error;
    std::vector<std::string> warnings;
    EXPECT_FALSE(readScene(pluginRegistry(), source, scene, error, warnings));
    EXPECT_EQ(error,
              "node 1 'Door001': the object rejected its chunks (result 2): read failed at "
              "offset " +
                  std::to_string(record + 100));
}

TEST(SceneFile, AnObjectOfAnUnknownClassIsKeptAsItsBytesAndWrittenBackUnchanged) {
    SmallScene small;
    std::vector<unsigned char> bytes = small.bytes;
    const long class1 = small.at({SCENE_CHUNK_NODE, SCENE_CHUNK_NODE_CLASS}, 1);
    putWord(bytes, class1 + 6, 0x12345678);
    putWord(bytes, class1 + 10, 0x9ABCDEF0);
    ScratchFile in("unknown_class"), out("unknown_class_out");
    writeFileBytes(in.path(), bytes);

    Scene scene;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(loadScene(pluginRegistry(), in.path(), scene, error, &warnings)) << error;
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], in.path() +
                               ": node 2 'TriggerOnce001': class 0x12345678,0x9ABCDEF0 "
                               "(superclass 0x50) is provided by no plug-in; kept as stored bytes");
    Node* unknown = scene.find("TriggerOnce001");
    ASSERT_NE(unknown, nullptr);
    EXPECT_TRUE(unknown->isOpaque());
    EXPECT_EQ(unknown->classId(), Class_ID(0x12345678, 0x9ABCDEF0));
    EXPECT_EQ(unknown->opaqueData().size(), 4u * 6 + 4 + 4 + 80 + 516);
    EXPECT_EQ(unknown->position(), Point3(4, 5, 6));

    ASSERT_TRUE(saveScene(scene, out.path(), error)) << error;
    EXPECT_EQ(readFileBytes(out.path()), bytes);
}

TEST(SceneFile, StoredBytesOfAnUnknownClassMustBeWellFormed) {
    SmallScene small;
    std::vector<unsigned char> bytes = small.bytes;
    const long class0 = small.at({SCENE_CHUNK_NODE, SCENE_CHUNK_NODE_CLASS});
    const long record0 = small.at({SCENE_CHUNK_NODE, SCENE_CHUNK_NODE_OBJECT, 0x0130});
    putWord(bytes, class0 + 6, 0x12345678);
    putWord(bytes, record0 + 2, 526);  // four bytes past the object's list
    ScratchFile file("unknown_damaged");
    writeFileBytes(file.path(), bytes);
    Scene scene;
    std::string error;
    EXPECT_FALSE(loadScene(pluginRegistry(), file.path(), scene, error));
    const long object0 = small.at({SCENE_CHUNK_NODE, SCENE_CHUNK_NODE_OBJECT});
    EXPECT_EQ(error, file.path() +
                         ": node 1 'Door001': its stored object is malformed: chunk "
                         "0x0130 at offset " +
                         std::to_string(record0) +
                         " (526 bytes) runs past its container, chunk 0x4150 at offset " +
                         std::to_string(object0));
    EXPECT_EQ(scene.size(), 0u);
}

// A scene file written part by part: the header, what `nodes` writes, and an end chunk.
std::vector<unsigned char> sceneFileOf(void (*nodes)(ChunkWriter&), uint32_t nodeCount) {
    MemorySink sink;
    ChunkWriter w(sink);
    uint32_t header[2] = {SCENE_FILE_MAGIC, SCENE_FILE_VERSION}, written;
    w.startChunk(SCENE_CHUNK_HEADER);
    w.writeBlock(header, sizeof header, &written);
    w.finishChunk();
    nodes(w);
    w.startChunk(SCENE_CHUNK_END);
    w.writeBlock(&nodeCount, 4, &written);
    w.finishChunk();
    EXPECT_FALSE(w.failed()) << w.error();
    return sink.bytes;
}

void dataChunk(ChunkWriter& w, uint16_t id, const void* data, uint32_t n) {
    uint32_t written;
    w.startChunk(id);
    w.writeBlock(data, n, &written);
    w.finishChunk();
}

// Name, transform, state and the helpers' class, leaving the object chunk to the caller.
void nodeParts(ChunkWriter& w) {
    float transform[13] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 7, 8, 9, 0};
    uint32_t state = NODE_STATE_SELECTED, classWords[3] = {0x41D53AFE, 0x616C0F57, 0x50};
    dataChunk(w, SCENE_CHUNK_NODE_NAME, "Bare001", 7);
    dataChunk(w, SCENE_CHUNK_NODE_TRANSFORM, transform, sizeof transform);
    dataChunk(w, SCENE_CHUNK_NODE_STATE, &state, 4);
    dataChunk(w, SCENE_CHUNK_NODE_CLASS, classWords, sizeof classWords);
}

TEST(SceneFile, AHelperComesBackThroughTheFirstKindBeforeItsChunksApply) {
    std::vector<unsigned char> bytes = sceneFileOf(
        [](ChunkWriter& w) {
            w.startChunk(SCENE_CHUNK_NODE);
            nodeParts(w);
            w.startChunk(SCENE_CHUNK_NODE_OBJECT);
            w.markList();  // no chunks of its own
            w.finishChunk();
            w.finishChunk();
        },
        1);
    ScratchFile file("bare");
    writeFileBytes(file.path(), bytes);
    Scene scene;
    std::string error;
    ASSERT_TRUE(loadScene(pluginRegistry(), file.path(), scene, error)) << error;
    ASSERT_EQ(scene.size(), 1u);
    Node* node = scene.nodes()[0].get();
    EXPECT_EQ(node->name(), "Bare001");
    EXPECT_EQ(node->position(), Point3(7, 8, 9));
    EXPECT_TRUE(node->selected());
    EXPECT_STREQ(helperOf(node)->classname, "light");
    EXPECT_EQ(helperOf(node)->classIndex, 45);
    EXPECT_EQ(helperOf(node)->axisLength, 20.0f);
}

TEST(SceneFile, NodesMissingOrMisplacingTheirPartsAreRefused) {
    struct Case {
        const char* what;
        void (*nodes)(ChunkWriter&);
        const char* message;
    } cases[] = {
        {"no object",
         [](ChunkWriter& w) {
             w.startChunk(SCENE_CHUNK_NODE);
             nodeParts(w);
             w.finishChunk();
         },
         "node 1 'Bare001': it has no object chunk"},
        {"object before class",
         [](ChunkWriter& w) {
             w.startChunk(SCENE_CHUNK_NODE);
             dataChunk(w, SCENE_CHUNK_NODE_NAME, "Early001", 8);
             w.startChunk(SCENE_CHUNK_NODE_OBJECT);
             w.markList();
             w.finishChunk();
             w.finishChunk();
         },
         "node 1 'Early001': its object chunk comes before its class chunk"},
        {"object of data",
         [](ChunkWriter& w) {
             w.startChunk(SCENE_CHUNK_NODE);
             nodeParts(w);
             dataChunk(w, SCENE_CHUNK_NODE_OBJECT, "abcd", 4);
             w.finishChunk();
         },
         "node 1 'Bare001': its object chunk holds data instead of chunks"},
        {"short transform",
         [](ChunkWriter& w) {
             w.startChunk(SCENE_CHUNK_NODE);
             dataChunk(w, SCENE_CHUNK_NODE_TRANSFORM, "abcd", 4);
             w.finishChunk();
         },
         "node 1: its transform chunk holds 4 bytes, not 52 bytes"},
        {"a node of data", [](ChunkWriter& w) { dataChunk(w, SCENE_CHUNK_NODE, "abcd", 4); },
         "unexpected chunk 0x4100 at offset 14"},
        {"a transform that is not finite numbers",
         [](ChunkWriter& w) {
             float transform[13] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 7, INFINITY, 9, 0};
             w.startChunk(SCENE_CHUNK_NODE);
             dataChunk(w, SCENE_CHUNK_NODE_NAME, "two\nlines", 9);
             dataChunk(w, SCENE_CHUNK_NODE_TRANSFORM, transform, sizeof transform);
             w.finishChunk();
         },
         "node 1 'two\\x0Alines': its transform holds a value that is not a finite number"},
        {"a name over 255 bytes",
         [](ChunkWriter& w) {
             w.startChunk(SCENE_CHUNK_NODE);
             dataChunk(w, SCENE_CHUNK_NODE_NAME, std::string(256, 'n').c_str(), 256);
             w.finishChunk();
         },
         "node 1: the name is 256 bytes long; a node name is at most 255 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> bytes = sceneFileOf(c.nodes, 1);
        MemorySource source(bytes);
        Scene scene;
        std::string error;
        std::vector<std::string> warnings;
        EXPECT_FALSE(readScene(pluginRegistry(), source, scene, error, warnings));
        EXPECT_EQ(error, c.message);
    }
}

// What the reader would refuse is never written: the save fails and says which node.
TEST(SceneFile, NodesNoFileMayHoldAreRefusedBySaving) {
    struct Case {
        std::string name;
        float x;
        const char* message;
    } cases[] = {
        {"d\r", NAN, "node 'd\\x0D': its transform holds a value that is not a finite number"},
        {std::string(300, 'n'), 0,
         "...': the name is 300 bytes long; a node name is at most 255 bytes"},
    };
    for (const Case& c : cases) {
        Scene scene;
        std::string error;
        createHelperNode(scene, pluginRegistry(), "Door", Point3(c.x, 0, 0), error);
        scene.rename(*scene.nodes()[0], c.name);
        MemorySink sink;
        EXPECT_FALSE(writeScene(scene, sink, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_LT(error.size(), 200u) << "a long name is cut";
    }
    Scene scene;
    std::string error;
    EXPECT_FALSE(saveScene(scene, "", error));
    EXPECT_EQ(error, "the file name is empty");
}

// Tests run with stderr going to a file: progress stays off unless asked for.
TEST(SceneFile, ProgressIsShownOnlyAtATerminalOrWhenAskedFor) {
    EXPECT_FALSE(static_cast<bool>(terminalProgress("saving", 1)));
    askForProgress();
    EXPECT_TRUE(static_cast<bool>(terminalProgress("saving", 1)));
}

TEST(SceneFile, AMissingFileIsReported) {
    Scene scene;
    std::string error;
    EXPECT_FALSE(loadScene(pluginRegistry(), "no_such_scene.vxs", scene, error));
    EXPECT_EQ(error.rfind("no_such_scene.vxs: cannot open (", 0), 0u) << error;
}

TEST(SceneFile, AFailedSaveLeavesTheOldFileAsItWas) {
    SmallScene small;
    Scene bigger;
    fillEveryKind(bigger);
    ScratchFile file("atomic");
    writeFileBytes(file.path(), small.bytes);
    std::string error;

    // The rename fails while another program holds the old file without sharing deletion.
    HANDLE held = CreateFileA(file.path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(saveScene(bigger, file.path(), error));
    CloseHandle(held);
    EXPECT_EQ(error.rfind(file.path() + ": cannot replace the file (", 0), 0u) << error;
    EXPECT_EQ(readFileBytes(file.path()), small.bytes);
    EXPECT_EQ(GetFileAttributesA((file.path() + ".saving").c_str()), INVALID_FILE_ATTRIBUTES);

    // The temporary file cannot be made: a folder is in its way.
    ASSERT_TRUE(CreateDirectoryA((file.path() + ".saving").c_str(), nullptr));
    EXPECT_FALSE(saveScene(bigger, file.path(), error));
    RemoveDirectoryA((file.path() + ".saving").c_str());
    EXPECT_NE(error.find(".saving: cannot create ("), std::string::npos) << error;
    EXPECT_EQ(readFileBytes(file.path()), small.bytes);

    ASSERT_TRUE(saveScene(bigger, file.path(), error)) << error;
    EXPECT_NE(readFileBytes(file.path()), small.bytes);
}

}  // namespace
