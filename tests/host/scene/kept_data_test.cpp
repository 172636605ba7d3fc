// Kept map data is checked on load as strictly as import checks map text: each fault a
// scene file can hold refuses the file, naming the node and the field.
#include <memory>
#include "kept_entity.h"
#include "scene/scene_reader.h"
#include "scene/scene_writer.h"
#include "scene_test_support.h"

namespace {

const Point3 doorAt(1, 2, 3);
const char* const box = "{\n( 0 0 64 ) ( 64 0 0 ) ( 0 64 0 ) WALL 0 0 0 1 1\n}";

// A door as import keeps it: a pair beyond the record, a brush and its entity's text.
KeptEntity soundKept() {
    KeptEntity kept;
    kept.anchor = doorAt;
    kept.pairs = {{"_note", "kept"}};
    kept.brushes = {box};
    kept.source = "{\n\"classname\" \"func_door\"\n}\n";
    return kept;
}

// The error of loading a scene of one door keeping kept; "" when it loads.
std::string loadError(const KeptEntity& kept) {
    Scene scene;
    std::string error;
    Node* door = createHelperNode(scene, pluginRegistry(), "Door", doorAt, error);
    scene.setKept(*door,
                  std::make_shared<const std::vector<unsigned char>>(encodeKeptEntity(kept)));
    ScratchFile file("kept");
    EXPECT_TRUE(saveScene(scene, file.path(), error)) << error;
    Scene loaded;
    return loadScene(pluginRegistry(), file.path(), loaded, error) ? "" : error;
}

const struct KeptFault {
    const char* name;
    void (*spoil)(KeptEntity&);
    const char* said;  // after "node 1 'Door001': "
} keptFaults[] = {
    {"a brush that does not parse", [](KeptEntity& k) { k.brushes = {"{\n( 0 0 1 ) ( 0\n}"}; },
     "its kept brush 1 does not read as a brush"},
    {"a number no float holds",
     [](KeptEntity& k) { k.brushes = {"{\n( 0 0 1e39 ) ( 0 0 0 ) ( 0 1 0 ) WALL 0 0 0 1 1\n}"}; },
     "its kept brush 1 holds a number no float holds: \"1e39\" is out of a float's range"},
    {"an origin of no numbers",
     [](KeptEntity& k) {
         k.hadOrigin = true;
         k.originText = "nan nan nan";
     },
     "its kept origin's bad number \"nan\": it is not a finite number"},
    {"an anchor far from its node", [](KeptEntity& k) { k.anchor = Point3(-3e38f, 2, 3); },
     "its kept brush 1 does not survive the move to where the node stands"},
    {"a brush that closes its entity",
     [](KeptEntity& k) {
         k.brushes = {box + std::string("\n}\n{\n\"classname\" \"monster_army\"")};
     },
     "its kept brush 1 is not one brush"},
    {"entity text that opens another",
     [](KeptEntity& k) { k.source = "{\n\"classname\" \"func_door\"\n}{\"classname\" \"x\"}\n"; },
     "its kept entity text"},
    {"a header whose comment would swallow the first entity's brace",
     [](KeptEntity& k) { k.header = "// a comment without its line end"; },
     "its kept header does not read as map text before an entity"},
    {"a header that holds an entity",
     [](KeptEntity& k) { k.header = "{ \"classname\" \"monster_army\" }\n"; },
     "its kept header holds an entity"},
    {"a classname among the pairs",
     [](KeptEntity& k) {
         k.pairs = {{"classname", "light"}};
     },
     "its kept pair \"classname\" belongs to the node"},
};

TEST(KeptData, EachFaultRefusesTheLoadNamingNodeAndField) {
    EXPECT_EQ(loadError(soundKept()), "");
    for (const KeptFault& fault : keptFaults) {
        KeptEntity kept = soundKept();
        fault.spoil(kept);
        const std::string error = loadError(kept);
        EXPECT_NE(error.find(std::string(": node 1 'Door001': ") + fault.said), std::string::npos)
            << fault.name << ": " << error;
    }
}

}  // namespace
